// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/SkippedLines.h"

#include "core/text/Translatable.h"

#include <QStringList>

QString SkippedLines::describe() const
{
    if (total() == 0)
        return QString();
    QStringList reasons;
    const auto tr = [](const char *text) {
        return QCoreApplication::translate("SkippedLines", text);
    };
    if (noCoordinates)
        reasons << tr("%1 without coordinates").arg(noCoordinates);
    if (noValue)
        reasons << tr("%1 without a value for easting or northing").arg(noValue);
    if (notRecord)
        reasons << tr("%1 not a record").arg(notRecord);
    if (unknownUnit)
        reasons << tr("%1 with a unit that is no length").arg(unknownUnit);
    return (total() == 1 ? tr("%1 line skipped: %2") : tr("%1 lines skipped: %2"))
        .arg(total())
        .arg(reasons.join(QStringLiteral(", ")));
}
