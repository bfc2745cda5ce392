// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/PointRecord.h"

QString &PointRecord::field(int index)
{
    switch (index) {
    case 0:
        return number;
    case 1:
        return name;
    case 2:
        return easting;
    case 3:
        return northing;
    case 4:
        return elevation;
    default:
        return code;
    }
}

const QString &PointRecord::field(int index) const
{
    return const_cast<PointRecord *>(this)->field(index);
}

bool PointRecord::operator==(const PointRecord &other) const
{
    return number == other.number && name == other.name && easting == other.easting &&
           northing == other.northing && elevation == other.elevation && code == other.code;
}
