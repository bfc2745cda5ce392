// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/ConversationEngine.h"

#include "protocol/CommandEncoding.h"
#include "protocol/DownloadWriter.h"
#include "protocol/SafeFileName.h"
#include "protocol/UploadReader.h"
#include "serial/SerialLink.h"
#include "state/AppState.h"
#include "text/NameEncoding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

// A reply that answers an older command is waited for at most this many ticks
// before a new conversation's "a" goes out anyway (the reply may have been lost).
constexpr int kDeferredTicksLimit = 2;

// Lines of a file that hold something, for the upload's progress.
int countFilledLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    int lines = 0;
    while (!file.atEnd()) {
        if (!file.readLine().trimmed().isEmpty())
            ++lines;
    }
    return lines;
}

} // namespace

ConversationEngine::ConversationEngine(const CommSettings &settings, SerialLink &link,
                                       QObject *parent)
    : QObject(parent), m_settings(settings), m_link(link)
{
    qRegisterMetaType<TransferResult>();
    connect(&m_link, &SerialLink::linkLost, this, &ConversationEngine::onLinkLost);
}

ConversationEngine::~ConversationEngine() = default;

bool ConversationEngine::isConnected() const
{
    return m_link.isOpen() && !m_linkDown;
}

bool ConversationEngine::transferActive() const
{
    return m_pending.has_value() || m_downloadRunning || m_uploadRunning;
}

// ---- inputs ----

void ConversationEngine::feed(const QByteArray &bytes)
{
    // Bytes that were on their way when the port closed belong to no conversation.
    if (!m_link.isOpen())
        return;
    const auto reply = m_reply.feed(bytes, char(m_settings.ReplyTerminator));
    if (!reply)
        return;
    Q_EMIT replyReceived(*reply);
    m_awaitingReply = false;
    if (m_openingCallDeferred) {
        // This reply answers a command from before the new conversation began;
        // only now may its "a" go out, or replies would answer the wrong commands.
        m_openingCallDeferred = false;
        send("a");
        return;
    }
    handleReply(*reply);
}

void ConversationEngine::tick()
{
    if (m_openingCallDeferred && ++m_deferredTicks >= kDeferredTicksLimit) {
        m_openingCallDeferred = false;
        send("a");
    }
    // Only once the instrument has answered "a" and "c": a quick user or a slow
    // line would otherwise put the transfer's commands between them.
    if (m_pending && m_mode == LinkMode::Idle && m_idleStep == IdleStep::Answered &&
        !m_awaitingReply && !m_openingCallDeferred)
        startPendingTransfer();
}

void ConversationEngine::resume()
{
    if (!m_heldLine || m_mode != LinkMode::SendCoordinates)
        return;
    const QByteArray line = *m_heldLine;
    m_heldLine.reset();
    send(line);
    if (m_linkDown)
        return;
    ++m_linesDone;
    reportProgress(m_linesDone);
}

void ConversationEngine::startPendingTransfer()
{
    const PendingStart start = *m_pending;
    m_pending.reset();
    setWantsTicks(false);
    m_idleStep = IdleStep::Quiet;
    m_linesDone = 0;
    if (start == PendingStart::Download) {
        if (!m_download || !m_download->isOpen()) {
            TransferResult result;
            result.outcome = TransferResult::Outcome::Failed;
            result.reason = tr("The download has no file to write.");
            Q_EMIT finished(result);
            return;
        }
        // The count is read now: a refresh since the item was chosen may have changed it.
        const int index = m_downloadJob - 1;
        QString countError;
        if (m_downloadDataKind == 0 && !m_jobs.coordinateCount(index, &countError)) {
            // A count that is no number would ask for a wrong number of lines.
            TransferResult result;
            result.path = m_download->path();
            m_download->discard();
            m_download.reset();
            result.outcome = TransferResult::Outcome::Failed;
            result.reason = countError;
            Q_EMIT finished(result);
            return;
        }
        m_downloadSkipped = 0;
        m_downloadExpected =
            JobTable::leadingCount(m_downloadDataKind == 0 ? m_jobs.FixPointCounts.at(index)
                                                           : m_jobs.MeasurementCounts.at(index));
        m_downloadStep = DownloadStep::AwaitingFormSet;
        // Running before the write: a link lost during it then reports the download.
        m_downloadRunning = true;
        setMode(m_downloadDataKind == 0 ? LinkMode::ReceiveCoordinates
                                        : LinkMode::ReceiveObservations);
        send("FORM/SET/0");
        return;
    }
    m_uploadRunning = true;
    setMode(LinkMode::SendCoordinates);
    if (start == PendingStart::UploadIntoNewJob) {
        const int index = m_uploadJobIndex;
        Q_EMIT jobSlotRenamed(index);
        m_uploadStep = UploadStep::AwaitingJobSet;
        QByteArray command("JOB/SET/");
        command += NameEncoding::writePage(m_settings.JobNameEncoding)
                       .encode(m_jobs.JobSlotNames.at(index));
        command += '/';
        command += CommandEncoding::jobNumber(index + 1);
        send(command);
        return;
    }
    sendUploadPreamble(false);
}

void ConversationEngine::sendUploadPreamble(bool eraseDone)
{
    if (m_uploadReplaces && !eraseDone) {
        m_uploadStep = UploadStep::AwaitingErase;
        send("JOB/ERASE/COORDS/" + CommandEncoding::jobNumber(m_uploadJobIndex + 1));
        return;
    }
    m_uploadStep = UploadStep::AwaitingFormSet;
    send("FORM/SET/0");
}

void ConversationEngine::onLinkLost(const QString &reason)
{
    m_linkDown = true;
    const std::optional<TransferResult> result =
        dropTransfer(TransferResult::Outcome::LinkLost, reason);
    closeConnection();
    if (result)
        Q_EMIT finished(*result);
    else
        Q_EMIT linkLost(reason);
    Q_EMIT connectionClosed();
}

// ---- operations ----

bool ConversationEngine::lastOpenWasDenied() const
{
    return m_link.openWasDenied();
}

ConversationEngine::ConnectResult ConversationEngine::connectToInstrument()
{
    // Until the directory has been read a new double-click starts afresh: the
    // instrument may have been silent.
    if (m_mode != LinkMode::Directory)
        return ConnectResult::AlreadyConnected;
    dropTransfer(TransferResult::Outcome::Cancelled, QString());
    m_reply.reset();
    m_awaitingReply = false;
    m_openingCallDeferred = false;
    m_idleStep = IdleStep::Quiet;
    m_openingRow = 0;
    m_openingRepeat = 0;
    m_firstAnswerSeen = false;
    if (!m_link.open(m_settings)) {
        m_lastError = m_link.errorString();
        return ConnectResult::OpenFailed;
    }
    m_linkDown = false;
    send("a");
    return ConnectResult::Started;
}

void ConversationEngine::cancel()
{
    const std::optional<TransferResult> result =
        dropTransfer(TransferResult::Outcome::Cancelled, tr("Cancelled by the user."));
    const bool wasOpen = m_link.isOpen();
    closeConnection();
    if (result)
        Q_EMIT finished(*result);
    if (wasOpen || result)
        Q_EMIT connectionClosed();
}

bool ConversationEngine::prepareDownload()
{
    if (m_mode == LinkMode::Directory || transferActive())
        return false;
    dropTransfer(TransferResult::Outcome::Cancelled, QString());
    setMode(LinkMode::Idle);
    sendOpeningCall(true);
    return true;
}

QString ConversationEngine::startDownload(const DownloadRequest &request)
{
    if (m_mode != LinkMode::Idle || m_downloadRunning || m_uploadRunning)
        return tr("The instrument is not ready for a download.");
    if (request.jobNumber < 1 || request.jobNumber > JobTable::kJobCount)
        return tr("No job is selected.");
    if (request.dataKind == 0 && (request.dataTypeIndex < 0 || request.dataTypeIndex > 2))
        return tr("Choose a data type.");
    if (request.fileName.trimmed().isEmpty())
        return tr("Enter a file name.");
    // A download confirmed again (the user agreed to replace the file) replaces the first.
    dropTransfer(TransferResult::Outcome::Cancelled, QString());
    // A count that is no number would ask for a wrong number of lines.
    if (request.dataKind == 0) {
        QString countError;
        if (!m_jobs.coordinateCount(request.jobNumber - 1, &countError))
            return countError;
    }
    auto writer = std::make_unique<DownloadWriter>();
    if (!writer->open(downloadFilePath(request), request.overwrite))
        return writer->errorString();
    m_download = std::move(writer);
    m_downloadJob = request.jobNumber;
    m_downloadDataKind = request.dataKind;
    m_downloadType = request.dataTypeIndex;
    m_downloadNorthingFirst = request.cassNorthingFirst;
    m_downloadExpected = 0;
    m_linesDone = 0;
    m_pending = PendingStart::Download;
    setWantsTicks(true);
    return QString();
}

bool ConversationEngine::prepareUpload()
{
    if (m_mode != LinkMode::Idle || transferActive())
        return false;
    sendOpeningCall(true);
    return true;
}

QString ConversationEngine::startUpload(const UploadRequest &request)
{
    if (m_mode != LinkMode::Idle || m_downloadRunning || m_uploadRunning)
        return tr("The instrument is not ready for an upload.");
    if (request.jobIndex < 0 || request.jobIndex >= JobTable::kJobCount)
        return tr("No job is selected.");
    // Every line is read before anything is renamed or sent: a file that
    // stops half-way would leave the job renamed and partly overwritten.
    const UploadReader::Inspection inspection = UploadReader::inspect(request.filePath, false);
    if (inspection.check != UploadReader::FileCheck::Accepted) {
        const QString why = inspection.reason.isEmpty()
                                ? tr("it is no coordinate file the instrument can take")
                                : inspection.reason;
        return tr("Cannot upload %1: %2").arg(QDir::toNativeSeparators(request.filePath), why);
    }
    const bool unnamed = m_jobs.JobSlotNames.at(request.jobIndex) == JobTable::emptyName();
    if (unnamed) {
        const QString error = jobNameError(request.newJobName, m_settings.JobNameEncoding);
        if (!error.isEmpty())
            return error;
    }
    dropTransfer(TransferResult::Outcome::Cancelled, QString());
    if (unnamed)
        m_jobs.JobSlotNames[request.jobIndex] = request.newJobName;
    m_uploadPath = request.filePath;
    m_uploadJobIndex = request.jobIndex;
    m_uploadReplaces = request.replaceExisting;
    m_uploadExpected = countFilledLines(request.filePath);
    m_linesDone = 0;
    m_pending = unnamed ? PendingStart::UploadIntoNewJob : PendingStart::Upload;
    setWantsTicks(true);
    return QString();
}

QString ConversationEngine::erase(int jobNumber)
{
    if (m_mode == LinkMode::Directory)
        return tr("Connect to the instrument first.");
    if (jobNumber < 1 || jobNumber > JobTable::kJobCount)
        return tr("No job is selected.");
    const std::optional<TransferResult> interrupted = dropTransfer(
        TransferResult::Outcome::Failed, tr("The transfer was interrupted by an erase."));
    if (interrupted)
        Q_EMIT finished(*interrupted);
    m_eraseJob = jobNumber;
    setMode(LinkMode::EraseCoordinates);
    sendOpeningCall(false);
    return QString();
}

QString ConversationEngine::downloadFilePath(const DownloadRequest &request)
{
    QString extension = QStringLiteral(".gsi");
    if (request.dataKind == 0 && request.dataTypeIndex == 1)
        extension = QStringLiteral(".idex");
    else if (request.dataKind == 0 && request.dataTypeIndex == 2)
        extension = QStringLiteral(".dat");
    return QDir(request.folder).filePath(SafeFileName::fromName(request.fileName) + extension);
}

QString ConversationEngine::jobNameError(const QString &name, NameEncoding::Choice encoding)
{
    if (name.trimmed().isEmpty())
        return tr("The job name is empty.");
    for (const QChar c : name) {
        if (c == u'/' || c == u',')
            return tr("A job name cannot contain \"/\" or \",\".");
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return tr("A job name cannot contain control characters.");
    }
    const CodePage &page = NameEncoding::writePage(encoding);
    const QByteArray encoded = page.encode(name);
    if (page.decode(encoded) != name)
        return tr("The job name holds characters the instrument cannot store.");
    if (encoded.size() > JobTable::kMaxJobNameBytes) {
        // A Chinese character takes two bytes in GBK or Big5, three in UTF-8.
        const QByteArray chinese = page.encode(u"\u9053");
        const int perCharacter =
            page.decode(chinese) == u"\u9053" ? int(qMax<qsizetype>(chinese.size(), 1)) : 2;
        return tr("The job name is %1 bytes long; the instrument's directory line carries at "
                  "most %2 (%2 Latin letters or digits, %3 Chinese characters).")
            .arg(encoded.size())
            .arg(JobTable::kMaxJobNameBytes)
            .arg(JobTable::kMaxJobNameBytes / perCharacter);
    }
    return QString();
}

// ---- helpers ----

void ConversationEngine::send(const QByteArray &command)
{
    const QByteArray bytes = CommandEncoding::encode(command, m_settings.EndMarkIndex);
    m_awaitingReply = true;
    m_link.send(bytes);
    Q_EMIT commandSent(bytes);
}

void ConversationEngine::sendOpeningCall(bool wantTicks)
{
    m_idleStep = IdleStep::AwaitingA;
    m_eraseStep = EraseStep::AwaitingA;
    if (m_awaitingReply) {
        // The ticks also bound how long the deferred "a" waits.
        m_openingCallDeferred = true;
        m_deferredTicks = 0;
        wantTicks = true;
    } else {
        send("a");
    }
    if (wantTicks)
        setWantsTicks(true);
}

void ConversationEngine::setMode(LinkMode mode)
{
    // A write can lose the link under a handler that goes on to its next mode;
    // the conversation stays in Directory, ready to connect again.
    if (m_linkDown && mode != LinkMode::Directory)
        return;
    m_mode = mode;
}

void ConversationEngine::setWantsTicks(bool wanted)
{
    if (m_wantsTicks == wanted)
        return;
    m_wantsTicks = wanted;
    Q_EMIT ticksWanted(wanted);
}

void ConversationEngine::reportProgress(int done)
{
    int total = -1;
    if (m_downloadRunning)
        total = m_downloadExpected;
    else if (m_uploadRunning)
        total = m_uploadExpected;
    Q_EMIT progress(done, total);
}

std::optional<TransferResult> ConversationEngine::dropTransfer(TransferResult::Outcome outcome,
                                                               const QString &reason)
{
    std::optional<TransferResult> result;
    const bool downloadActive =
        m_downloadRunning || (m_pending && *m_pending == PendingStart::Download);
    const bool uploadActive =
        m_uploadRunning || (m_pending && *m_pending != PendingStart::Download);
    if (downloadActive && m_download) {
        TransferResult r;
        r.kind = TransferResult::Kind::Download;
        r.path = m_download->path();
        r.expectedLines = m_downloadRunning && m_downloadDataKind == 0 ? m_downloadExpected : -1;
        r.existingFileKept = m_download->replacedExisting();
        result = r;
    } else if (uploadActive) {
        TransferResult r;
        r.kind = TransferResult::Kind::Upload;
        r.path = m_uploadPath;
        r.expectedLines = m_uploadExpected;
        r.fileKept = m_linesDone > 0;
        result = r;
    }
    if (result) {
        result->outcome = outcome;
        result->reason = reason;
        result->linesTransferred = m_linesDone;
    }
    if (m_download) {
        m_download->discard();
        m_download.reset();
    }
    if (m_upload) {
        m_upload->close();
        m_upload.reset();
    }
    m_pending.reset();
    m_downloadRunning = false;
    m_uploadRunning = false;
    m_heldLine.reset();
    return result;
}

void ConversationEngine::closeConnection()
{
    m_link.close();
    m_awaitingReply = false;
    m_openingCallDeferred = false;
    m_reply.reset();
    m_heldLine.reset();
    m_idleStep = IdleStep::Quiet;
    setWantsTicks(false);
    setMode(LinkMode::Directory);
}
