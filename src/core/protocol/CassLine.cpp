// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/CassLine.h"

#include "core/coordfiles/GsiReader.h"

namespace CassLine {

std::optional<QByteArray> fromGsiLine(QByteArrayView line, Columns columns)
{
    // The same word reading as the coordinate files: any point line, in its unit.
    GsiPointLine point;
    if (GsiPointLine::decode(line, point) != GsiPointLine::Kind::Point)
        return std::nullopt;
    QByteArray cass;
    cass.reserve(64);
    cass += gsi::stripLeadingZeros(point.name);
    cass += ",,";
    // value[] holds easting (81), northing (82), elevation (83). No value
    // leaves the field empty.
    static constexpr int kEastingFirst[3] = {0, 1, 2};
    static constexpr int kNorthingFirst[3] = {1, 0, 2};
    const int *order = columns == Columns::NorthingFirst ? kNorthingFirst : kEastingFirst;
    for (int i = 0; i < 3; ++i) {
        char text[48];
        cass.append(text, point.value[order[i]].text(text));
        cass += i < 2 ? "," : "\r\n";
    }
    return cass;
}

} // namespace CassLine
