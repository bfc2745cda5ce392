// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class CodePage;

// Appends the pieces of a delimited line to a byte buffer in the ANSI code page.
// The separators are ASCII and the code pages are stateless, so encoding field
// by field gives the bytes of encoding the whole line; pure-ASCII fields, almost
// all of them, are copied without a conversion.
class LineEncoder
{
public:
    explicit LineEncoder(QByteArray &out);

    template <qsizetype N> void literal(const char (&text)[N]) { m_out.append(text, N - 1); }
    void character(char c) { m_out.append(c); }
    void field(const QString &text);

private:
    QByteArray &m_out;
    const CodePage &m_page;
    bool m_asciiCopies; // whether the page writes ASCII as the same bytes
};
