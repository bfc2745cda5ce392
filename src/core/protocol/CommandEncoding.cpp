// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/CommandEncoding.h"

namespace CommandEncoding {

QByteArray endMark(int endMarkIndex)
{
    return endMarkIndex == 1 ? QByteArray("\r") : QByteArray("\r\n");
}

QByteArray encode(QByteArrayView command, int endMarkIndex)
{
    QByteArray bytes;
    bytes.reserve(command.size() + 2);
    bytes.append(command);
    bytes.append(endMark(endMarkIndex));
    return bytes;
}

QByteArray jobNumber(int number)
{
    return QByteArray::number(number);
}

} // namespace CommandEncoding
