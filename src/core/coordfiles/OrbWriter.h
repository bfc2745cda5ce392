// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coordfiles/DelimitedIo.h"

class LineEncoder;

// ORB line: number,name,northing,easting,elevation CR LF.
class OrbWriter
{
public:
    static DelimitedResult write(QIODevice &device, const PointSource &points);
    static QByteArray formatLine(const PointRecord &point);
    static void buildLine(const PointRecord &point, LineEncoder &line);
};
