// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/CodePageImpl.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <algorithm>
#else
#include <QtEndian>

#include <cerrno>
#include <iconv.h>
#endif

namespace {

constexpr char16_t kReplacement = 0xFFFD;

#ifndef Q_OS_WIN
const char *unicodeName()
{
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

iconv_t handle(void *p)
{
    return static_cast<iconv_t>(p);
}

bool isOpen(iconv_t cd)
{
    return cd != reinterpret_cast<iconv_t>(-1);
}
#endif

} // namespace

#ifdef Q_OS_WIN

std::shared_ptr<CodePage::Impl> CodePage::Impl::create(const QByteArray &name)
{
    // name is "ACP", "OEMCP" or "CP<number>" here (see CodePage.cpp).
    unsigned page = 0;
    if (name == "ACP")
        page = GetACP();
    else if (name == "OEMCP")
        page = GetOEMCP();
    else if (name.startsWith("CP"))
        page = name.mid(2).toUInt();
    CPINFO info;
    if (page == 0 || !GetCPInfo(page, &info))
        return nullptr;
    std::shared_ptr<Impl> impl(new Impl);
    impl->m_windowsPage = page;
    impl->m_name = page == 936 ? QByteArray("GBK") : "CP" + QByteArray::number(page);
    return impl;
}

CodePage::Impl::~Impl() = default;

QByteArray CodePage::Impl::encode(QStringView text) const
{
    // Windows writes one '?' per UTF-16 unit of a character the page lacks, so
    // a character beyond the BMP would become "??" and names would differ in
    // length from Linux. Only UTF-8 and GB18030 have such characters at all.
    const bool unicodePage = m_windowsPage == 65001 || m_windowsPage == 54936;
    QString oneUnitEach;
    const bool hasSurrogate =
        std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); });
    if (hasSurrogate && !unicodePage) {
        oneUnitEach.reserve(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                oneUnitEach += u'?';
                ++i;
            } else {
                oneUnitEach += text[i];
            }
        }
        text = oneUnitEach;
    }
    const auto *in = reinterpret_cast<const wchar_t *>(text.utf16());
    const int inLength = int(text.size());
    // No best-fit mapping: a character the page lacks is written as '?', never
    // as a look-alike that would read back as something else. The Unicode
    // pages take neither setting.
    const DWORD flags = unicodePage ? 0 : WC_NO_BEST_FIT_CHARS;
    const char *fallback = unicodePage ? nullptr : "?";
    const int size =
        WideCharToMultiByte(m_windowsPage, flags, in, inLength, nullptr, 0, fallback, nullptr);
    QByteArray out(size, Qt::Uninitialized);
    WideCharToMultiByte(m_windowsPage, flags, in, inLength, out.data(), size, fallback, nullptr);
    return out;
}

QString CodePage::Impl::decode(QByteArrayView bytes) const
{
    const int inLength = int(bytes.size());
    const int size = MultiByteToWideChar(m_windowsPage, 0, bytes.data(), inLength, nullptr, 0);
    QString out(size, Qt::Uninitialized);
    MultiByteToWideChar(m_windowsPage, 0, bytes.data(), inLength,
                        reinterpret_cast<wchar_t *>(out.data()), size);
    return out;
}

#else

std::shared_ptr<CodePage::Impl> CodePage::Impl::create(const QByteArray &name)
{
    std::shared_ptr<Impl> impl(new Impl);
    impl->m_name = name;
    iconv_t enc = iconv_open(name.constData(), unicodeName());
    iconv_t dec = iconv_open(unicodeName(), name.constData());
    impl->m_encoder = enc;
    impl->m_decoder = dec;
    if (!isOpen(enc) || !isOpen(dec))
        return nullptr;
    impl->m_singleByte = impl->buildSingleByteTables();
    return impl;
}

CodePage::Impl::~Impl()
{
    if (isOpen(handle(m_encoder)))
        iconv_close(handle(m_encoder));
    if (isOpen(handle(m_decoder)))
        iconv_close(handle(m_decoder));
}

// Tries every byte: when each one alone is a character (or no character) the
// page is single-byte and both directions become table look-ups.
bool CodePage::Impl::buildSingleByteTables()
{
    m_fromUnicode.assign(0x10000, 0);
    for (int b = 0; b < 256; ++b) {
        char in = char(b);
        char16_t out[4] = {};
        char *inPtr = &in;
        size_t inLeft = 1;
        char *outPtr = reinterpret_cast<char *>(out);
        size_t outLeft = sizeof out;
        iconv(handle(m_decoder), nullptr, nullptr, nullptr, nullptr);
        const size_t r = iconv(handle(m_decoder), &inPtr, &inLeft, &outPtr, &outLeft);
        if (r == size_t(-1) && errno == EINVAL) {
            m_fromUnicode.clear();
            return false; // a lead byte: multi-byte page
        }
        const size_t units = (sizeof out - outLeft) / 2;
        if (r == size_t(-1) || units != 1) {
            // Windows passes the holes of 1252 (0x81, 0x8D, ...) through as C1
            // controls; doing the same keeps such names intact on a round trip.
            m_toUnicode[b] = (b >= 0x80 && b < 0xA0) ? char16_t(b) : kReplacement;
            if (m_toUnicode[b] != kReplacement && m_fromUnicode[b] == 0)
                m_fromUnicode[b] = static_cast<unsigned char>(b);
            continue;
        }
        m_toUnicode[b] = out[0];
        if (m_fromUnicode[out[0]] == 0)
            m_fromUnicode[out[0]] = static_cast<unsigned char>(b);
    }
    iconv(handle(m_decoder), nullptr, nullptr, nullptr, nullptr);
    return true;
}

QByteArray CodePage::Impl::encode(QStringView text) const
{
    if (!m_singleByte)
        return encodeIconv(text);
    QByteArray out(text.size(), Qt::Uninitialized);
    char *dst = out.data();
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const unsigned char b = m_fromUnicode[c];
        if (b || c == 0) {
            dst[n++] = char(b);
            continue;
        }
        dst[n++] = '?';
        // One character, one '?': a surrogate pair is a single character.
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
    }
    out.truncate(n);
    return out;
}

QByteArray CodePage::Impl::encodeIconv(QStringView text) const
{
    QMutexLocker locker(&m_lock);
    iconv_t cd = handle(m_encoder);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    QByteArray out(text.size() * 4 + 16, Qt::Uninitialized);
    char *inPtr = reinterpret_cast<char *>(const_cast<char16_t *>(text.utf16()));
    size_t inLeft = size_t(text.size()) * 2;
    char *outPtr = out.data();
    size_t outLeft = size_t(out.size());
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1))
            break;
        const qsizetype used = outPtr - out.data();
        if (errno == E2BIG || outLeft < 8) {
            out.resize(out.size() * 2 + 16);
            outPtr = out.data() + used;
            outLeft = size_t(out.size() - used);
            continue;
        }
        // Unmappable or broken: one '?' for the character, then go on.
        *outPtr++ = '?';
        --outLeft;
        const char16_t c = *reinterpret_cast<const char16_t *>(inPtr);
        size_t skip = 2;
        if (QChar::isHighSurrogate(c) && inLeft >= 4 &&
            QChar::isLowSurrogate(*reinterpret_cast<const char16_t *>(inPtr + 2)))
            skip = 4;
        skip = qMin(skip, inLeft);
        inPtr += skip;
        inLeft -= skip;
    }
    // Shift sequence back to the initial state, for the stateful pages.
    if (outLeft < 16) {
        const qsizetype used = outPtr - out.data();
        out.resize(out.size() + 16);
        outPtr = out.data() + used;
        outLeft = size_t(out.size() - used);
    }
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.truncate(outPtr - out.data());
    return out;
}

QString CodePage::Impl::decode(QByteArrayView bytes) const
{
    if (!m_singleByte)
        return decodeIconv(bytes);
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = m_toUnicode[static_cast<unsigned char>(bytes[i])];
    return out;
}

QString CodePage::Impl::decodeIconv(QByteArrayView bytes) const
{
    QMutexLocker locker(&m_lock);
    iconv_t cd = handle(m_decoder);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    QString out(bytes.size() + 8, Qt::Uninitialized);
    char *inPtr = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char *outPtr = reinterpret_cast<char *>(out.data());
    size_t outLeft = size_t(out.size()) * 2;
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1))
            break;
        const qsizetype used = outPtr - reinterpret_cast<char *>(out.data());
        if (errno == E2BIG || outLeft < 8) {
            out.resize(out.size() * 2 + 8);
            outPtr = reinterpret_cast<char *>(out.data()) + used;
            outLeft = size_t(out.size()) * 2 - size_t(used);
            continue;
        }
        // A byte that starts no character, or a character cut off at the end.
        *reinterpret_cast<char16_t *>(outPtr) = kReplacement;
        outPtr += 2;
        outLeft -= 2;
        if (errno == EINVAL)
            break;
        ++inPtr;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.truncate((outPtr - reinterpret_cast<char *>(out.data())) / 2);
    return out;
}

#endif
