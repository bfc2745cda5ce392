// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/Conversation.h"

// The conversation of a new connection: from the answer to "a" through the
// job directory to the last settings list. Only the job lines are kept.
class OpeningConversation : public Conversation
{
public:
    using Conversation::Conversation;

    LinkMode mode() const override { return LinkMode::Directory; }
    void onReply(const QByteArray &reply) override;

private:
    bool m_answerSeen = false;
    int m_row = 0;    // row of the opening table
    int m_repeat = 0; // replies handled in that row
};
