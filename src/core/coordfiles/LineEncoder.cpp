// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/LineEncoder.h"

#include "core/text/CodePage.h"

namespace {

bool pageKeepsAscii(const CodePage &page)
{
    QString ascii;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        ascii += QChar(c);
    return page.encode(ascii) == ascii.toLatin1();
}

} // namespace

LineEncoder::LineEncoder(QByteArray &out)
    : m_out(out), m_page(CodePage::ansi()), m_asciiCopies(pageKeepsAscii(m_page))
{
}

void LineEncoder::field(const QString &text)
{
    const qsizetype n = text.size();
    if (n == 0)
        return;
    if (m_asciiCopies) {
        const qsizetype start = m_out.size();
        m_out.resize(start + n);
        char *out = m_out.data() + start;
        const ushort *in = text.utf16();
        qsizetype i = 0;
        for (; i < n && in[i] < 0x80; ++i)
            out[i] = char(in[i]);
        if (i == n)
            return;
        m_out.truncate(start);
    }
    m_out.append(m_page.encode(text));
}
