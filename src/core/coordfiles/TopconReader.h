// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coordfiles/DelimitedIo.h"

// TOPCON files (".pts"): number, northing, easting, elevation, name.
class TopconReader
{
public:
    static DelimitedResult read(QIODevice &device, PointSink &sink);
    static bool parseLine(QByteArrayView line, qsizetype row, PointRecord &point);
    static bool buildRow(QByteArrayView *tokens, qsizetype row, const FieldDecoder &decoder,
                         PointRecord &point);
};
