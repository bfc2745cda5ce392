// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coordfiles/DelimitedIo.h"

class LineEncoder;

// TOPCON line: number,northing,easting,elevation,name CR LF.
class TopconWriter
{
public:
    static DelimitedResult write(QIODevice &device, const PointSource &points);
    static QByteArray formatLine(const PointRecord &point);
    static void buildLine(const PointRecord &point, LineEncoder &line);
};
