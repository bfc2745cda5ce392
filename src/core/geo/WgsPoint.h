// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/PointRecord.h"

#include <QString>

class CrsTransform;

// One point as the map formats carry it: longitude/latitude in WGS 84 when it
// has plane coordinates, its elevation when it has one.
struct WgsPoint
{
    bool located = false;
    double lon = 0;
    double lat = 0;
    bool hasElevation = false;
    double elevation = 0;

    // False, with the reason in error, for a coordinate that is no number, a
    // point with only one plane coordinate, or one the transform cannot place.
    static bool from(const CrsTransform &crs, qsizetype row, const PointRecord &point,
                     WgsPoint *out, QString *error);
};
