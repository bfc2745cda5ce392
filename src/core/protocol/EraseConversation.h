// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/Conversation.h"

// Erasing a job's coordinates: "a" (sent by the engine), "c", the erase; a
// refresh follows.
class EraseConversation : public Conversation
{
public:
    EraseConversation(ConversationHost &host, int jobNumber)
        : Conversation(host), m_jobNumber(jobNumber)
    {
    }

    LinkMode mode() const override { return LinkMode::EraseCoordinates; }
    void onReply(const QByteArray &reply) override;

private:
    enum class Step { AwaitingA, AwaitingC };
    Step m_step = Step::AwaitingA;
    int m_jobNumber; // 1..17
};
