// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/OpeningConversation.h"

#include "core/protocol/JobTable.h"
#include "core/serial/CommSettings.h"

#include <iterator>

namespace {

// The opening conversation, one row per kind of reply: what the reply answers,
// how many replies in a row the row takes, and the command each of them is
// followed by. Only the job lines are read; every other reply merely lets the
// next command go. The reply to the last "?" arrives once the conversation is
// over and is not looked at.
enum class OpeningReply {
    WakeUp,       // answer to "a"
    Confirmation, // answer to "c"
    Config182,    // answer to "CONF/182"
    Config136,    // answer to "CONF/136"
    Config137,    // answer to "CONF/137"
    Wi13,         // answer to "GET//WI13"
    CodeList,     // first line of the code list
    CodeListPage, // its next line
    JobLine,      // the 17 lines of the job directory
    AfterJobs,    // answer to the "?" after the last job line
    FormList,     // first lines of the format list
    FormListEnd,  // its last line
    HalList,      // first line of the horizontal-angle settings
    HalListEnd,   // its last line
    ValList,      // first line of the vertical-angle settings
};

struct OpeningRow
{
    OpeningReply reply;
    int count;
    const char *next;
};

constexpr OpeningRow kOpening[] = {
    {OpeningReply::WakeUp, 1, "c"},
    {OpeningReply::Confirmation, 1, "CONF/182"},
    {OpeningReply::Config182, 1, "CONF/136"},
    {OpeningReply::Config136, 1, "CONF/137"},
    {OpeningReply::Config137, 1, "GET//WI13"},
    {OpeningReply::Wi13, 1, "CODE/CONF/LIST"},
    {OpeningReply::CodeList, 1, "?"},
    {OpeningReply::CodeListPage, 1, "JOB/CONF/LIST"},
    {OpeningReply::JobLine, JobTable::kJobCount, "?"},
    {OpeningReply::AfterJobs, 1, "FORM/CONF/LIST"},
    {OpeningReply::FormList, 2, "?"},
    {OpeningReply::FormListEnd, 1, "HAL/CONF/LIST"},
    {OpeningReply::HalList, 1, "?"},
    {OpeningReply::HalListEnd, 1, "VAL/CONF/LIST"},
    {OpeningReply::ValList, 1, "?"},
};
constexpr int kOpeningRows = int(std::size(kOpening));

} // namespace

void OpeningConversation::onReply(const QByteArray &reply)
{
    if (m_row >= kOpeningRows)
        return;
    if (!m_answerSeen) {
        m_answerSeen = true;
        m_host.instrumentAnswered();
    }
    const OpeningRow &row = kOpening[m_row];
    JobTable &jobs = m_host.jobs();
    if (row.reply == OpeningReply::JobLine)
        jobs.store(m_repeat, DirectoryLine::parse(reply, m_host.settings().JobNameEncoding));
    m_host.send(row.next);
    if (++m_repeat == row.count) {
        ++m_row;
        m_repeat = 0;
    }
    if (m_row < kOpeningRows)
        return;
    for (int i = 0; i < JobTable::kJobCount; ++i) {
        jobs.JobSlotLabels[i] = JobTable::slotLabel(i);
        jobs.JobSlotNames[i] = jobs.JobNames.at(i);
    }
    m_host.directoryRead(true);
}
