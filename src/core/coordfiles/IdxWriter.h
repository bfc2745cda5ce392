// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/DelimitedIo.h"

class LineEncoder;

// IDX files: the fixed header, one point line per row, the fixed trailer.
class IdxWriter
{
public:
    static DelimitedResult write(QIODevice &device, const PointSource &points);
    static QByteArray formatLine(const PointRecord &point);
    static void buildLine(const PointRecord &point, LineEncoder &line);

    static QByteArrayView header();
    static QByteArrayView trailer();
};
