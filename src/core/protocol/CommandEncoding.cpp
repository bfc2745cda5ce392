// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/CommandEncoding.h"

namespace CommandEncoding {

QByteArray endMark(EndMark mark)
{
    return mark == EndMark::Cr ? QByteArray("\r") : QByteArray("\r\n");
}

QByteArray encode(QByteArrayView command, EndMark mark)
{
    QByteArray bytes;
    bytes.reserve(command.size() + 2);
    bytes.append(command);
    bytes.append(endMark(mark));
    return bytes;
}

QByteArray jobNumber(int number)
{
    return QByteArray::number(number);
}

} // namespace CommandEncoding
