// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/DelimitedIo.h"

// Writes LandXML 1.2: metric units, this program as the application, and one
// CgPoint per point under CgPoints with the text "northing easting elevation".
// A point without both plane coordinates, or with one that is no number, is
// refused: LandXML has no way to carry it.
class LandXmlWriter
{
public:
    static DelimitedResult write(QIODevice &device, const PointSource &points);
};
