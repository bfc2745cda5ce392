// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/DelimitedIo.h"

#include <QString>

// The formats for GIS and for seeing points on a map. Both carry longitude and
// latitude in WGS 84, transformed from the file's plane coordinates in the
// projected system crs ("EPSG:NNNN"); without a usable system nothing is written.
// A point without plane coordinates is kept, without a place.
class GeoJsonWriter
{
public:
    // RFC 7946: a FeatureCollection of Point features with name, code, elevation.
    static DelimitedResult write(QIODevice &device, const PointSource &points, const QString &crs);
};

class KmlWriter
{
public:
    // KML 2.2: one Placemark per point, its code and elevation as ExtendedData.
    static DelimitedResult write(QIODevice &device, const PointSource &points, const QString &crs);
};
