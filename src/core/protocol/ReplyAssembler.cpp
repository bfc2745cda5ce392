// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/ReplyAssembler.h"

std::optional<QByteArray> ReplyAssembler::feed(QByteArrayView chunk, char terminator)
{
    if (chunk.isEmpty())
        return std::nullopt;
    const qsizetype room = kCapacity - m_buffer.size();
    m_buffer.append(chunk.first(qMin(room, chunk.size())));
    if (chunk.back() != terminator)
        return std::nullopt;
    QByteArray reply = std::move(m_buffer);
    m_buffer = QByteArray();
    // A reply cut at the capacity still ends with its terminator.
    if (reply.back() != terminator)
        reply.back() = terminator;
    return reply;
}
