#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// The CASS line a downloaded GSI coordinate line becomes:
// name,,<third word>,<second word>,<fourth word> CR LF, values with three
// decimals, the name without its leading zeros. Lines that are neither GSI-8
// (63 or 64 characters) nor GSI-16 (96 or 97) give nothing.
namespace CassLine {

// line: the received line without its line end.
std::optional<QByteArray> fromGsiLine(QByteArrayView line);

} // namespace CassLine
