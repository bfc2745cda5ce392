// The handlers of ConversationEngine: one complete reply in, at most one command out.

#include "protocol/CassLine.h"
#include "protocol/CommandEncoding.h"
#include "protocol/ConversationEngine.h"
#include "protocol/DownloadWriter.h"
#include "protocol/UploadReader.h"
#include "state/AppState.h"

namespace {

constexpr char kSub = 26; // end of data, both directions
constexpr int kUploadPauseMs = 10;

bool startsWithSub(const QByteArray &reply)
{
    return !reply.isEmpty() && reply.at(0) == kSub;
}

} // namespace

void ConversationEngine::handleReply(const QByteArray &reply)
{
    switch (m_mode) {
    case LinkMode::Directory:
        handleDirectory(reply);
        break;
    case LinkMode::Idle:
        handleIdle();
        break;
    case LinkMode::ReceiveCoordinates:
        handleReceiveCoordinates(reply);
        break;
    case LinkMode::RefreshDirectory:
        handleRefresh(reply);
        break;
    case LinkMode::SendCoordinates:
        handleSendCoordinates();
        break;
    case LinkMode::ReceiveObservations:
        handleReceiveObservations(reply);
        break;
    case LinkMode::EraseCoordinates:
        handleErase();
        break;
    }
}

void ConversationEngine::handleDirectory(const QByteArray &reply)
{
    static const char *const kCommands[] = {"c",        "CONF/182",     "CONF/136",
                                            "CONF/137", "GET//WI13",    "CODE/CONF/LIST",
                                            "?",        "JOB/CONF/LIST"};
    const int step = m_step;
    if (step >= 32)
        return;
    // The first answer ends the wait for it; a cancel made meanwhile still stands.
    if (step == 0 && m_state.transfer.TransferKind == 1)
        m_state.transfer.TransferKind = 0;
    if (step < 8) {
        send(kCommands[step]);
    } else if (step <= 24) {
        m_jobs.store(step - 8, DirectoryLine::parse(reply));
        send("?");
    } else if (step == 25) {
        send("FORM/CONF/LIST");
    } else if (step == 28) {
        send("HAL/CONF/LIST");
    } else if (step == 30) {
        send("VAL/CONF/LIST");
    } else {
        send("?");
    }
    setStep(step + 1);
    if (step == 31) {
        for (int i = 0; i < JobTable::kJobCount; ++i) {
            m_jobs.JobSlotLabels[i] = JobTable::slotLabel(i);
            m_jobs.JobSlotNames[i] = m_jobs.JobNames.at(i);
        }
        m_state.transfer.ConnectProgress = 32;
        setMode(LinkMode::Idle);
        // Timer 1 has nothing to do until a transfer is prepared.
        if (!m_openingCallDeferred)
            setWantsTicks(false);
        Q_EMIT jobTableChanged(true);
    }
}

void ConversationEngine::handleRefresh(const QByteArray &reply)
{
    const int step = m_step;
    if (step == 0) {
        send("JOB/CONF/LIST");
        setStep(1);
        return;
    }
    m_jobs.store(step - 1, DirectoryLine::parse(reply));
    send("?");
    setStep(step + 1);
    if (step >= JobTable::kJobCount) {
        setMode(LinkMode::Idle);
        Q_EMIT jobTableChanged(false);
    }
}

void ConversationEngine::handleIdle()
{
    // The answer to "a" of a prepared transfer is followed by "c"; once "c" is
    // answered the pending-action tick may start the transfer.
    if (m_step == 0) {
        send("c");
        setStep(1);
    } else if (m_step == 1) {
        setStep(2);
        m_openingAnswered = true;
    }
}

void ConversationEngine::handleReceiveCoordinates(const QByteArray &reply)
{
    const int step = m_step;
    if (step == 0) {
        send("JOB/RCV/COORDS/" + CommandEncoding::jobNumber(m_downloadJob));
        setStep(1);
        return;
    }
    if (step >= 2) {
        if (startsWithSub(reply)) {
            // The instrument has no more lines than it sent: keep what came.
            setStep(step + 1);
            finishDownload(QStringLiteral("The instrument sent %1 of %2 lines.")
                               .arg(step - 2)
                               .arg(m_downloadCount));
            return;
        }
        if (step <= m_downloadCount + 1) {
            const QByteArrayView line = DownloadWriter::withoutLineEnd(reply);
            bool stored = true;
            if (m_downloadType == 2) {
                if (const auto cass = CassLine::fromGsiLine(line))
                    stored = m_download->append(*cass);
            } else {
                stored = m_download->appendRawLine(reply);
            }
            if (!stored) {
                // Abandoned while the mode still says a download runs, so
                // the failure is reported and TransferDone is set.
                abandonTransfer(m_download->errorString());
                setMode(LinkMode::Idle);
                return;
            }
            setTransferBlock(step - 1);
        }
    }
    const bool last = step >= m_downloadCount + 1;
    setStep(step + 1);
    if (last)
        finishDownload(QString());
    send("?");
}

void ConversationEngine::handleReceiveObservations(const QByteArray &reply)
{
    const int step = m_step;
    if (step == 0) {
        send("JOB/RCV/OBSERV/" + CommandEncoding::jobNumber(m_downloadJob));
        setStep(1);
        return;
    }
    if (step == 1) {
        send("?");
        setStep(2);
        return;
    }
    if (startsWithSub(reply)) {
        setStep(step + 1);
        finishDownload(QString());
        return;
    }
    if (!m_download->appendRawLine(reply)) {
        abandonTransfer(m_download->errorString());
        setMode(LinkMode::Idle);
        return;
    }
    setTransferBlock(step - 1);
    setStep(step + 1);
    send("?");
}

void ConversationEngine::finishDownload(const QString &shortfallNote)
{
    TransferSummary summary;
    summary.kind = TransferSummary::Kind::Download;
    summary.path = m_download->path();
    summary.linesTransferred = m_state.transfer.TransferBlock;
    summary.expectedLines = m_downloadDataKind == 0 ? m_downloadCount : -1;
    summary.note = shortfallNote;
    const bool committed = m_download->commit();
    const bool replaced = m_download->replacedExisting();
    const QString error = m_download->errorString();
    m_download.reset();
    m_state.transfer.TransferDone = 1;
    setMode(LinkMode::Idle);
    if (!committed) {
        Q_EMIT transferFailed(error);
        return;
    }
    Q_EMIT fileAdded(summary.path, replaced);
    Q_EMIT transferFinished(summary);
}

void ConversationEngine::handleSendCoordinates()
{
    if (m_step == 0) {
        send("FORM/SET/0");
        setStep(1);
        return;
    }
    if (m_step == 1) {
        send("JOB/SND/COORD/" + CommandEncoding::jobNumber(m_state.transfer.UploadJobIndex + 1));
        m_upload = std::make_unique<UploadReader>();
        m_upload->open(m_uploadPath); // a file that will not open sends the SUB at once
        m_uploadLinesSent = 0;
        setStep(2);
        return;
    }
    sendNextUploadLine();
}

void ConversationEngine::sendNextUploadLine()
{
    UploadReader::Next next;
    QString note;
    if (m_upload && m_upload->isOpen()) {
        next = m_upload->next();
    } else {
        note = QStringLiteral("The file could not be opened.");
    }
    if (next.status == UploadReader::Next::Status::Line) {
        // The instrument needs a breath between lines.
        m_pause(kUploadPauseMs);
        send(next.bytes);
        ++m_uploadLinesSent;
        setTransferBlock(m_step - 1);
        setStep(m_step + 1);
        m_pause(kUploadPauseMs);
        return;
    }
    TransferSummary summary;
    summary.kind = TransferSummary::Kind::Upload;
    summary.path = m_uploadPath;
    summary.linesTransferred = m_uploadLinesSent;
    if (next.status == UploadReader::Next::Status::Stopped) {
        summary.stoppedAtLine = next.lineNumber;
        summary.note = QStringLiteral("The upload stopped after %1 lines: %2.")
                           .arg(m_uploadLinesSent)
                           .arg(next.reason);
    } else if (!note.isEmpty()) {
        summary.note = note;
    }
    send(QByteArray(1, kSub));
    if (m_upload) {
        m_upload->close();
        m_upload.reset();
    }
    m_state.transfer.TransferDone = 1;
    setMode(LinkMode::RefreshDirectory);
    setStep(0);
    Q_EMIT transferFinished(summary);
}

void ConversationEngine::handleErase()
{
    if (m_step == 0) {
        send("c");
        setStep(1);
        return;
    }
    send("JOB/ERASE/COORDS/" + CommandEncoding::jobNumber(m_state.transfer.JobNumber));
    setMode(LinkMode::RefreshDirectory);
    setStep(0);
}
