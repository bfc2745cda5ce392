// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/EraseConversation.h"

#include "core/protocol/CommandEncoding.h"

void EraseConversation::onReply(const QByteArray &)
{
    if (m_step == Step::AwaitingA) {
        m_host.send("c");
        m_step = Step::AwaitingC;
        return;
    }
    m_host.send("JOB/ERASE/COORDS/" + CommandEncoding::jobNumber(m_jobNumber));
    m_host.refreshDirectory();
}
