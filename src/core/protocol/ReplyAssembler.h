// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// Collects the bytes of one reply across receive events. A reply is complete
// when an event's bytes end with the terminator byte; a terminator inside an
// event does not end it, so two replies arriving in one event count as one.
// At most kCapacity bytes of a reply are kept; the excess is dropped, and the
// reply still completes at its terminator (which is always kept as its last byte).
class ReplyAssembler
{
public:
    static constexpr int kCapacity = 512;

    // One receive event's bytes. Returns the reply when this event completes it.
    std::optional<QByteArray> feed(QByteArrayView chunk, char terminator);

    int length() const { return int(m_buffer.size()); }
    const QByteArray &pending() const { return m_buffer; }
    void reset() { m_buffer.clear(); }

private:
    QByteArray m_buffer;
};
