// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>

// Sets text to ASCII bytes in place: a sink that does not keep the record (a
// stream) then costs no allocation per field. False, text untouched, for
// other bytes, which need their code page.
inline bool assignAscii(QString &text, QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    text.resize(bytes.size());
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QLatin1Char(bytes[i]);
    return true;
}
