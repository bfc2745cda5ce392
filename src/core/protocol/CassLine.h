// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// The CASS line a downloaded GSI coordinate line becomes:
// name,,<easting 81>,<northing 82>,<elevation 83> CR LF, values with the
// decimals of their unit (three for mm), the name without its leading zeros.
// That is the column order rqtcom's own SOUTH reader, writer, preview and
// editor use, so a download opens unmirrored. A line that is no point line
// (words 81 and 82) gives nothing.
namespace CassLine {

enum class Columns {
    EastingFirst,  // name,code,E,N,H: the CASS convention
    NorthingFirst, // name,code,N,E,H: the order of earlier rqtcom downloads, for
                   // callers that still read that column as the northing
};

// line: the received line without its line end.
std::optional<QByteArray> fromGsiLine(QByteArrayView line, Columns columns = Columns::EastingFirst);

} // namespace CassLine
