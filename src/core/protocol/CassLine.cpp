#include "protocol/CassLine.h"

namespace CassLine {

std::optional<QByteArray> fromGsiLine(QByteArrayView line)
{
    Q_UNUSED(line);
    return std::nullopt;
}

} // namespace CassLine
