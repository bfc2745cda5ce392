#include "FieldDecoder.h"

#include "text/CodePage.h"

QString FieldDecoder::decode(QByteArrayView bytes) const
{
    if (bytes.isEmpty())
        return QString();
    if (m_utf8)
        return QString::fromUtf8(bytes);
    return CodePage::ansi().decode(bytes);
}
