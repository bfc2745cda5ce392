// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/RefreshConversation.h"

#include "core/protocol/JobTable.h"
#include "core/serial/CommSettings.h"

void RefreshConversation::onReply(const QByteArray &reply)
{
    if (m_lines < 0) {
        // The reply to the SUB or the erase command.
        m_host.send("JOB/CONF/LIST");
        m_lines = 0;
        return;
    }
    m_host.jobs().store(m_lines, DirectoryLine::parse(reply, m_host.settings().JobNameEncoding));
    m_host.send("?");
    if (++m_lines >= JobTable::kJobCount)
        m_host.directoryRead(false);
}
