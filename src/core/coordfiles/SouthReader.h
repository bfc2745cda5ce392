// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coordfiles/DelimitedIo.h"

// SOUTH / CASS files (".dat"): name, code, easting, northing, elevation. The file
// has no number field: rows are numbered 1, 2, 3 ... as they are read.
class SouthReader
{
public:
    static DelimitedResult read(QIODevice &device, PointSink &sink);
    static bool parseLine(QByteArrayView line, qsizetype row, PointRecord &point);
    static bool buildRow(QByteArrayView *tokens, qsizetype row, const FieldDecoder &decoder,
                         PointRecord &point);
};
