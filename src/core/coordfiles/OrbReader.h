// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coordfiles/DelimitedIo.h"

// ORB files (".orb"): number, name, northing, easting, elevation. A line of four
// fields is number, northing, easting, elevation without a name.
class OrbReader
{
public:
    static DelimitedResult read(QIODevice &device, PointSink &sink);
    static bool parseLine(QByteArrayView line, qsizetype row, PointRecord &point);
    static bool buildRow(QByteArrayView *tokens, qsizetype row, const FieldDecoder &decoder,
                         PointRecord &point);
};
