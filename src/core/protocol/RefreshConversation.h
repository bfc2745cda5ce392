// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/Conversation.h"

// The job directory read again after an upload or an erase.
class RefreshConversation : public Conversation
{
public:
    using Conversation::Conversation;

    LinkMode mode() const override { return LinkMode::RefreshDirectory; }
    void onReply(const QByteArray &reply) override;

private:
    int m_lines = -1; // job lines stored; -1 before JOB/CONF/LIST
};
