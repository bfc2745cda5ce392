// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/CodePage.h"

#include "core/text/CodePageImpl.h"

#include <QtGlobal>

namespace {

// Pages whose first 128 bytes are ASCII skip the real conversion for
// pure-ASCII text, which is nearly every name and every number in a file.
bool isAscii(const char *p, qsizetype n)
{
    unsigned char acc = 0;
    for (qsizetype i = 0; i < n; ++i)
        acc |= static_cast<unsigned char>(p[i]);
    return acc < 0x80;
}

bool isAscii(const char16_t *p, qsizetype n)
{
    char16_t acc = 0;
    for (qsizetype i = 0; i < n; ++i)
        acc |= p[i];
    return acc < 0x80;
}

// Spellings a user may put into RQTCOM_*_CODEPAGE, mapped to the names this
// platform's converter knows.
QByteArray normalisedName(QByteArrayView raw)
{
    QByteArray name = raw.trimmed().toByteArray().toUpper();
    if (name.startsWith("WINDOWS-"))
        name = "CP" + name.mid(8);
    bool isNumber = false;
    const uint number = name.toUInt(&isNumber);
    if (isNumber)
        name = "CP" + QByteArray::number(number);
#ifdef Q_OS_WIN
    static const struct
    {
        const char *alias;
        const char *page;
    } kAliases[] = {{"GBK", "CP936"},       {"GB2312", "CP936"}, {"BIG5", "CP950"},
                    {"SHIFT_JIS", "CP932"}, {"SJIS", "CP932"},   {"UHC", "CP949"},
                    {"EUC-KR", "CP949"},    {"UTF-8", "CP65001"}};
    for (const auto &a : kAliases) {
        if (name == a.alias)
            return a.page;
    }
    if (name.startsWith("IBM"))
        name = "CP" + name.mid(3);
#else
    if (name == "CP936")
        return "GBK";
    if (name == "CP65001")
        return "UTF-8";
#endif
    return name;
}

QByteArray localeName()
{
    // POSIX precedence: the first of these that is set decides.
    for (const char *var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const QByteArray value = qgetenv(var);
        if (!value.isEmpty())
            return value;
    }
    return QByteArray();
}

struct Pages
{
    CodePage ansi;
    CodePage oem;
};

CodePage choose(const char *overrideVar, bool chineseUi, bool oemPage)
{
    const QByteArray wanted = qgetenv(overrideVar);
    if (!wanted.trimmed().isEmpty()) {
        bool ok = false;
        CodePage page = CodePage::byName(wanted, &ok);
        if (ok)
            return page;
        qWarning("%s names an unknown code page '%s'; using the default", overrideVar,
                 wanted.constData());
    }
#ifdef Q_OS_WIN
    Q_UNUSED(chineseUi);
    return CodePage::byName(oemPage ? "OEMCP" : "ACP");
#else
    return CodePage::byName(CodePage::pageForLocale(localeName(), chineseUi, oemPage));
#endif
}

Pages choosePages(bool chineseUi)
{
    return Pages{choose("RQTCOM_ANSI_CODEPAGE", chineseUi, false),
                 choose("RQTCOM_OEM_CODEPAGE", chineseUi, true)};
}

Pages &pages()
{
    static Pages p = choosePages(false);
    return p;
}

} // namespace

const CodePage &CodePage::ansi()
{
    return pages().ansi;
}

const CodePage &CodePage::oem()
{
    return pages().oem;
}

void CodePage::configure(bool chineseUi)
{
    pages() = choosePages(chineseUi);
}

CodePage CodePage::byName(QByteArrayView name, bool *ok)
{
    const QByteArray wanted =
        name == "ACP" || name == "OEMCP" ? name.toByteArray() : normalisedName(name);
    std::shared_ptr<Impl> impl = wanted.isEmpty() ? nullptr : Impl::create(wanted);
    if (ok)
        *ok = impl != nullptr;
    if (!impl) {
        impl = Impl::create(normalisedName("1252"));
        Q_ASSERT(impl);
    }
    char ascii[128];
    for (int i = 0; i < 128; ++i)
        ascii[i] = char(i);
    const QString decoded = impl->decode(QByteArrayView(ascii, 128));
    impl->m_asciiCompatible =
        decoded == QLatin1String(ascii, 128) && impl->encode(decoded) == QByteArrayView(ascii, 128);
    return CodePage(std::move(impl));
}

QByteArray CodePage::pageForLocale(QByteArrayView locale, bool chineseUi, bool oemPage)
{
    // "language[_territory][.codeset][@modifier]"
    qsizetype end = locale.size();
    for (const char stop : {'.', '@'}) {
        const qsizetype at = locale.indexOf(stop);
        if (at >= 0 && at < end)
            end = at;
    }
    const QByteArrayView base = locale.first(end);
    const qsizetype underscore = base.indexOf('_');
    const QByteArrayView language = underscore < 0 ? base : base.first(underscore);
    const QByteArrayView territory =
        underscore < 0 ? QByteArrayView() : base.sliced(underscore + 1);

    if (language.isEmpty() || language == "C" || language == "POSIX") {
        if (chineseUi)
            return "GBK";
    } else if (language == "zh") {
        if (territory == "TW" || territory == "HK" || territory == "MO")
            return "CP950";
        return "GBK";
    } else if (language == "ja") {
        return "CP932";
    } else if (language == "ko") {
        return "CP949";
    }
    return oemPage ? "CP437" : "CP1252";
}

QByteArray CodePage::encode(QStringView text) const
{
    if (m_impl->m_asciiCompatible && isAscii(text.utf16(), text.size()))
        return text.toLatin1();
    return m_impl->encode(text);
}

QString CodePage::decode(QByteArrayView bytes) const
{
    if (m_impl->m_asciiCompatible && isAscii(bytes.data(), bytes.size()))
        return QString::fromLatin1(bytes);
    return m_impl->decode(bytes);
}

QByteArray CodePage::name() const
{
    return m_impl->m_name;
}
