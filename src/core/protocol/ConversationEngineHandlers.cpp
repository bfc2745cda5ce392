// SPDX-License-Identifier: GPL-3.0-or-later
// The handlers of ConversationEngine: one complete reply in, at most one command out.

#include "protocol/CassLine.h"
#include "protocol/CommandEncoding.h"
#include "protocol/ConversationEngine.h"
#include "protocol/DownloadWriter.h"
#include "protocol/UploadReader.h"
#include "state/AppState.h"

#include <iterator>

namespace {

constexpr char kSub = 26; // end of data, both directions

bool startsWithSub(const QByteArray &reply)
{
    return !reply.isEmpty() && reply.at(0) == kSub;
}

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

void ConversationEngine::handleReply(const QByteArray &reply)
{
    switch (m_mode) {
    case LinkMode::Directory:
        handleOpening(reply);
        break;
    case LinkMode::Idle:
        handleIdle();
        break;
    case LinkMode::ReceiveCoordinates:
    case LinkMode::ReceiveObservations:
        handleDownload(reply);
        break;
    case LinkMode::RefreshDirectory:
        handleRefresh(reply);
        break;
    case LinkMode::SendCoordinates:
        handleUpload();
        break;
    case LinkMode::EraseCoordinates:
        handleErase();
        break;
    }
}

void ConversationEngine::handleOpening(const QByteArray &reply)
{
    if (m_openingRow >= kOpeningRows)
        return;
    if (!m_firstAnswerSeen) {
        m_firstAnswerSeen = true;
        Q_EMIT instrumentAnswered();
    }
    const OpeningRow &row = kOpening[m_openingRow];
    if (row.reply == OpeningReply::JobLine)
        m_jobs.store(m_openingRepeat, DirectoryLine::parse(reply, m_settings.JobNameEncoding));
    send(row.next);
    if (++m_openingRepeat == row.count) {
        ++m_openingRow;
        m_openingRepeat = 0;
    }
    if (m_openingRow < kOpeningRows)
        return;
    for (int i = 0; i < JobTable::kJobCount; ++i) {
        m_jobs.JobSlotLabels[i] = JobTable::slotLabel(i);
        m_jobs.JobSlotNames[i] = m_jobs.JobNames.at(i);
    }
    setMode(LinkMode::Idle);
    m_idleStep = IdleStep::Quiet;
    // Nothing needs ticks until a transfer is prepared.
    if (!m_openingCallDeferred)
        setWantsTicks(false);
    Q_EMIT jobTableChanged(true);
}

void ConversationEngine::handleRefresh(const QByteArray &reply)
{
    if (m_refreshLines < 0) {
        // The reply to the SUB or the erase command.
        send("JOB/CONF/LIST");
        m_refreshLines = 0;
        return;
    }
    m_jobs.store(m_refreshLines, DirectoryLine::parse(reply, m_settings.JobNameEncoding));
    send("?");
    if (++m_refreshLines >= JobTable::kJobCount) {
        setMode(LinkMode::Idle);
        m_idleStep = IdleStep::Quiet;
        Q_EMIT jobTableChanged(false);
    }
}

void ConversationEngine::handleIdle()
{
    // The answer to "a" of a prepared transfer is followed by "c"; once "c" is
    // answered the next tick may start the transfer.
    if (m_idleStep == IdleStep::AwaitingA) {
        send("c");
        m_idleStep = IdleStep::AwaitingC;
    } else if (m_idleStep == IdleStep::AwaitingC) {
        m_idleStep = IdleStep::Answered;
    }
}

void ConversationEngine::handleDownload(const QByteArray &reply)
{
    const bool coordinates = m_mode == LinkMode::ReceiveCoordinates;
    switch (m_downloadStep) {
    case DownloadStep::AwaitingFormSet:
        send((coordinates ? "JOB/RCV/COORDS/" : "JOB/RCV/OBSERV/") +
             CommandEncoding::jobNumber(m_downloadJob));
        m_downloadStep = DownloadStep::AwaitingRequestAnswer;
        return;
    case DownloadStep::AwaitingRequestAnswer:
        m_downloadStep = DownloadStep::AwaitingLine;
        // A job of no coordinates still gets its one question.
        if (coordinates && m_downloadExpected <= 0)
            finishDownload(TransferResult::Outcome::Complete, QString());
        send("?");
        return;
    case DownloadStep::AwaitingLine:
        break;
    }
    if (startsWithSub(reply)) {
        // Observations end with the SUB; coordinates end early with it.
        if (coordinates)
            finishDownload(
                TransferResult::Outcome::EndedEarly,
                tr("The instrument sent %1 of %2 lines.").arg(m_linesDone).arg(m_downloadExpected));
        else
            finishDownload(TransferResult::Outcome::Complete, QString());
        return;
    }
    storeDownloadLine(reply);
    if (!m_downloadRunning)
        return;
    if (coordinates && m_linesDone >= m_downloadExpected)
        finishDownload(TransferResult::Outcome::Complete, QString());
    send("?");
}

void ConversationEngine::storeDownloadLine(const QByteArray &reply)
{
    bool stored = true;
    if (m_mode == LinkMode::ReceiveCoordinates && m_downloadType == 2) {
        const CassLine::Columns columns = m_downloadNorthingFirst ? CassLine::Columns::NorthingFirst
                                                                  : CassLine::Columns::EastingFirst;
        if (const auto cass = CassLine::fromGsiLine(DownloadWriter::withoutLineEnd(reply), columns))
            stored = m_download->append(*cass);
        else
            ++m_downloadSkipped; // reported with the result, never dropped unseen
    } else {
        stored = m_download->appendRawLine(reply);
    }
    if (!stored) {
        // No more questions: the conversation rests until the next transfer.
        const std::optional<TransferResult> result =
            dropTransfer(TransferResult::Outcome::Failed, m_download->errorString());
        setMode(LinkMode::Idle);
        m_idleStep = IdleStep::Quiet;
        if (result)
            Q_EMIT finished(*result);
        return;
    }
    ++m_linesDone;
    reportProgress(m_linesDone);
}

void ConversationEngine::finishDownload(TransferResult::Outcome outcome, const QString &reason)
{
    TransferResult result;
    result.kind = TransferResult::Kind::Download;
    result.path = m_download->path();
    result.linesTransferred = m_linesDone;
    result.expectedLines = m_mode == LinkMode::ReceiveCoordinates ? m_downloadExpected : -1;
    result.outcome = outcome;
    result.reason = reason;
    result.skippedLines = m_downloadSkipped;
    if (outcome != TransferResult::Outcome::Complete) {
        // A short file must never pass for the whole job; the job is still on
        // the instrument, so nothing is kept under the file's name.
        result.existingFileKept = m_download->replacedExisting();
        m_download->discard();
        m_download.reset();
        m_downloadRunning = false;
        setMode(LinkMode::Idle);
        m_idleStep = IdleStep::Quiet;
        Q_EMIT finished(result);
        return;
    }
    const bool committed = m_download->commit();
    const bool replaced = m_download->replacedExisting();
    const QString error = m_download->errorString();
    m_download.reset();
    m_downloadRunning = false;
    setMode(LinkMode::Idle);
    m_idleStep = IdleStep::Quiet;
    if (!committed) {
        result.outcome = TransferResult::Outcome::Failed;
        result.reason = error;
        result.existingFileKept = replaced;
        Q_EMIT finished(result);
        return;
    }
    result.fileKept = true;
    Q_EMIT fileAdded(result.path, replaced);
    Q_EMIT finished(result);
}

void ConversationEngine::handleUpload()
{
    switch (m_uploadStep) {
    case UploadStep::AwaitingJobSet:
        sendUploadPreamble(false);
        return;
    case UploadStep::AwaitingErase:
        sendUploadPreamble(true);
        return;
    case UploadStep::AwaitingFormSet:
        send("JOB/SND/COORD/" + CommandEncoding::jobNumber(m_uploadJobIndex + 1));
        if (m_linkDown)
            return;
        m_upload = std::make_unique<UploadReader>();
        m_upload->open(m_uploadPath); // a file that will not open sends the SUB at once
        m_uploadStep = UploadStep::AwaitingGoAhead;
        return;
    case UploadStep::AwaitingGoAhead:
        break;
    }
    if (!m_upload || !m_upload->isOpen()) {
        finishUpload(TransferResult::Outcome::Failed, tr("The file could not be opened."), 0);
        return;
    }
    const UploadReader::Next next = m_upload->next();
    switch (next.status) {
    case UploadReader::Next::Status::Line:
        // The instrument needs a breath before each line; resume() sends it.
        m_heldLine = next.bytes;
        Q_EMIT pauseRequested(kUploadLinePauseMs);
        return;
    case UploadReader::Next::Status::Stopped:
        finishUpload(TransferResult::Outcome::EndedEarly, next.reason, next.lineNumber);
        return;
    case UploadReader::Next::Status::End:
        finishUpload(TransferResult::Outcome::Complete, QString(), 0);
        return;
    }
}

void ConversationEngine::finishUpload(TransferResult::Outcome outcome, const QString &reason,
                                      int stoppedAtLine)
{
    send(QByteArray(1, kSub));
    // A link lost under the SUB has reported the upload already.
    if (m_linkDown)
        return;
    TransferResult result;
    result.kind = TransferResult::Kind::Upload;
    result.outcome = outcome;
    result.path = m_uploadPath;
    result.linesTransferred = m_linesDone;
    result.expectedLines = m_uploadExpected;
    result.stoppedAtLine = stoppedAtLine;
    result.reason = reason;
    result.fileKept = m_linesDone > 0;
    if (m_upload) {
        m_upload->close();
        m_upload.reset();
    }
    m_uploadRunning = false;
    // The instrument's reply to the SUB starts the directory refresh.
    setMode(LinkMode::RefreshDirectory);
    m_refreshLines = -1;
    Q_EMIT finished(result);
}

void ConversationEngine::handleErase()
{
    if (m_eraseStep == EraseStep::AwaitingA) {
        send("c");
        m_eraseStep = EraseStep::AwaitingC;
        return;
    }
    send("JOB/ERASE/COORDS/" + CommandEncoding::jobNumber(m_eraseJob));
    setMode(LinkMode::RefreshDirectory);
    m_refreshLines = -1;
}
