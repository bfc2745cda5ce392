// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/DelimitedIo.h"

#include <QString>

// CSV coordinate files (".csv"). A first line naming the columns (name/point/id,
// code/description, east/easting/e/y, north/northing/n/x, elevation/height/h/z,
// any case) says where each field is; without one, the column letters do (P
// name, N north, E east, Z elevation, D code; "-" skips a column). The separator
// (comma, semicolon or tab) is the one the first line uses most. Fields may be
// quoted as RFC 4180 says. A coordinate that is not a number ends the reading
// with the line named, so swapped or mis-stated columns never load as points.
class CsvReader
{
public:
    static constexpr char kDefaultColumns[] = "PENZD";

    // Whether letters is a usable column order; error says why not.
    static bool validColumns(const QString &letters, QString *error);

    // columns: the order of a file without a header; empty means PENZD.
    static DelimitedResult read(QIODevice &device, PointSink &sink,
                                const QString &columns = QString());
};
