#include "SkippedLines.h"

#include <QStringList>

QString SkippedLines::describe() const
{
    if (total() == 0)
        return QString();
    QStringList reasons;
    if (noCoordinates)
        reasons << QStringLiteral("%1 without coordinates").arg(noCoordinates);
    if (noValue)
        reasons << QStringLiteral("%1 without a value for easting or northing").arg(noValue);
    if (notRecord)
        reasons << QStringLiteral("%1 not a record").arg(notRecord);
    if (unknownUnit)
        reasons << QStringLiteral("%1 with a unit that is no length").arg(unknownUnit);
    return QStringLiteral("%1 %2 skipped: %3")
        .arg(total())
        .arg(total() == 1 ? QStringLiteral("line") : QStringLiteral("lines"))
        .arg(reasons.join(QStringLiteral(", ")));
}
