// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/CassLine.h"

#include "coordfiles/GsiReader.h"

namespace CassLine {

std::optional<QByteArray> fromGsiLine(QByteArrayView line)
{
    // The same word reading as the coordinate files: any point line, in its unit.
    GsiPointLine point;
    if (GsiPointLine::decode(line, point) != GsiPointLine::Kind::Point)
        return std::nullopt;
    QByteArray cass;
    cass.reserve(64);
    cass += gsi::stripLeadingZeros(point.name);
    cass += ",,";
    // The northing (82) comes before the easting (81), as CASS files from the
    // instrument have always been written. No value leaves the field empty.
    const int order[3] = {1, 0, 2};
    for (int i = 0; i < 3; ++i) {
        char text[48];
        cass.append(text, point.value[order[i]].text(text));
        cass += i < 2 ? "," : "\r\n";
    }
    return cass;
}

} // namespace CassLine
