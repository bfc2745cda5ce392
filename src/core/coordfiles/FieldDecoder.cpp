// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/FieldDecoder.h"

#include "core/text/CodePage.h"

QString FieldDecoder::decode(QByteArrayView bytes) const
{
    if (bytes.isEmpty())
        return QString();
    if (m_utf8)
        return QString::fromUtf8(bytes);
    return CodePage::ansi().decode(bytes);
}

FieldDecoder FieldDecoder::forFirstLine(QByteArrayView &line)
{
    if (!line.startsWith("\xEF\xBB\xBF"))
        return FieldDecoder(false);
    line = line.sliced(3);
    return FieldDecoder(true);
}
