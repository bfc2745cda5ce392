// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/SafeFileName.h"

#include <QStringList>

namespace SafeFileName {

namespace {

bool isReservedDeviceName(const QString &name)
{
    // Windows ignores everything from the first dot: "con.gsi" is CON too.
    const QString base = name.section(u'.', 0, 0).trimmed().toUpper();
    static const QStringList kReserved = {QStringLiteral("CON"),    QStringLiteral("PRN"),
                                          QStringLiteral("AUX"),    QStringLiteral("NUL"),
                                          QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
    if (kReserved.contains(base))
        return true;
    if (base.size() == 4 &&
        (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT")))) {
        const QChar digit = base.at(3);
        return (digit >= u'1' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' ||
               digit == u'\u00B3';
    }
    return false;
}

} // namespace

QString fromName(const QString &name)
{
    static const QString kForbidden = QStringLiteral("/\\:*?\"<>|");
    QString result;
    result.reserve(name.size());
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || kForbidden.contains(c))
            result.append(u'_');
        else
            result.append(c);
    }
    // Windows drops trailing dots and blanks, which would also turn ".." into
    // the parent folder; drop them here so every platform writes the same name.
    while (!result.isEmpty() && (result.endsWith(u'.') || result.endsWith(u' ')))
        result.chop(1);
    if (result.isEmpty())
        return QStringLiteral("_");
    // A leading dot would hide the file from the surveyor on Linux.
    for (qsizetype i = 0; i < result.size() && result.at(i) == u'.'; ++i)
        result[i] = u'_';
    if (isReservedDeviceName(result))
        result.prepend(u'_');
    return result;
}

} // namespace SafeFileName
