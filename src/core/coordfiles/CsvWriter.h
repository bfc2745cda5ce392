// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/DelimitedIo.h"

// Writes CSV as spreadsheets and GIS programs read it: UTF-8 with a byte-order
// mark, the header "Name,Code,East,North,Elevation", one row per point, CR LF,
// fields quoted when they hold a comma, a quote or a line end.
class CsvWriter
{
public:
    static DelimitedResult write(QIODevice &device, const PointSource &points);
};
