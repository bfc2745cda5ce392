// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// The CASS line a downloaded GSI coordinate line becomes:
// name,,<northing 82>,<easting 81>,<elevation 83> CR LF, values with the
// decimals of their unit (three for mm), the name without its leading zeros.
// A line that is no point line (words 81 and 82) gives nothing.
namespace CassLine {

// line: the received line without its line end.
std::optional<QByteArray> fromGsiLine(QByteArrayView line);

} // namespace CassLine
