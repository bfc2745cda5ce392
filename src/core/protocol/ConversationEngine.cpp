#include "protocol/ConversationEngine.h"

#include "protocol/CommandEncoding.h"
#include "protocol/DownloadWriter.h"
#include "protocol/SafeFileName.h"
#include "protocol/UploadReader.h"
#include "serial/SerialLink.h"
#include "state/AppState.h"
#include "text/CodePage.h"

#include <QDir>
#include <QFile>
#include <QThread>

namespace {

// A reply that answers an older command is waited for at most this many ticks
// before a new conversation's "a" goes out anyway (the reply may have been lost).
constexpr int kDeferredTicksLimit = 2;

} // namespace

ConversationEngine::ConversationEngine(AppState &state, SerialLink &link, QObject *parent)
    : QObject(parent), m_state(state), m_link(link),
      m_pause([](int milliseconds) { QThread::msleep(milliseconds); })
{
    qRegisterMetaType<TransferSummary>();
    connect(&m_link, &SerialLink::linkLost, this, &ConversationEngine::onLinkLost);
}

ConversationEngine::~ConversationEngine() = default;

void ConversationEngine::setPauseFunction(std::function<void(int)> pause)
{
    m_pause = std::move(pause);
}

bool ConversationEngine::transferRunning() const
{
    return (m_download && m_download->isOpen() && m_mode != LinkMode::Idle) ||
           (m_upload && m_upload->isOpen());
}

// ---- inputs ----

void ConversationEngine::feed(const QByteArray &bytes)
{
    const auto reply = m_reply.feed(bytes, char(m_state.commSettings.ReplyTerminator));
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
    TransferState &t = m_state.transfer;
    switch (t.TransferKind) {
    case 3:
    case 4:
    case 5:
        // Only once the instrument has answered "a" and "c": a quick user or a
        // slow line would otherwise put the transfer's commands between them.
        if (m_mode == LinkMode::Idle && m_openingAnswered && !m_awaitingReply &&
            !m_openingCallDeferred)
            startPendingTransfer();
        break;
    case 6:
        t.TransferKind = 0;
        abandonTransfer(QStringLiteral("The connection was closed."));
        m_link.close();
        setWantsTicks(false);
        m_awaitingReply = false;
        m_openingCallDeferred = false;
        setMode(LinkMode::Directory);
        setStep(0);
        Q_EMIT portClosed();
        break;
    default:
        break;
    }
}

bool ConversationEngine::startPendingTransfer()
{
    TransferState &t = m_state.transfer;
    const int kind = t.TransferKind;
    t.TransferKind = 0;
    setWantsTicks(false);
    m_openingAnswered = false;
    if (kind == 3) {
        if (!m_download || !m_download->isOpen()) {
            t.TransferDone = 1;
            Q_EMIT transferFailed(QStringLiteral("The download has no file to write."));
            return false;
        }
        // The count is read now: a refresh since the item was chosen may have changed it.
        const int index = m_downloadJob - 1;
        m_downloadCount = JobTable::leadingCount(m_jobs.FixPointCounts.at(index));
        // The mode first: a link lost during the write then abandons a running
        // download and reports it.
        setStep(0);
        setMode(m_downloadDataKind == 0 ? LinkMode::ReceiveCoordinates
                                        : LinkMode::ReceiveObservations);
        send("FORM/SET/0");
        return true;
    }
    if (kind == 4) {
        const int index = t.UploadJobIndex;
        Q_EMIT jobSlotRenamed(index);
        QByteArray command("JOB/SET/");
        command += CodePage::oem().encode(m_jobs.JobSlotNames.at(index));
        command += '/';
        command += CommandEncoding::jobNumber(index + 1);
        send(command);
        setStep(0);
        setMode(LinkMode::SendCoordinates);
        return true;
    }
    send("FORM/SET/0");
    setStep(1);
    setMode(LinkMode::SendCoordinates);
    return true;
}

void ConversationEngine::onLinkLost(const QString &reason)
{
    m_linkDown = true;
    abandonTransfer(reason);
    m_state.transfer.TransferKind = 0;
    m_awaitingReply = false;
    m_openingCallDeferred = false;
    m_reply.reset();
    setWantsTicks(false);
    setMode(LinkMode::Directory);
    setStep(0);
    Q_EMIT portClosed();
}

// ---- operations ----

bool ConversationEngine::lastOpenWasDenied() const
{
    return m_link.openWasDenied();
}

ConversationEngine::ConnectResult ConversationEngine::startConnection()
{
    if (m_mode != LinkMode::Directory)
        return ConnectResult::AlreadyConnected;
    // A reconnect after a cancelled connection starts the conversation afresh.
    abandonTransfer(QStringLiteral("The connection was opened again."));
    setStep(0);
    m_reply.reset();
    m_state.transfer.ConnectProgress = 0;
    m_awaitingReply = false;
    m_openingCallDeferred = false;
    m_openingAnswered = false;
    if (!m_link.open(m_state.commSettings)) {
        m_lastError = m_link.errorString();
        return ConnectResult::OpenFailed;
    }
    m_linkDown = false;
    send("a");
    m_state.transfer.TransferKind = 1;
    setWantsTicks(true);
    return ConnectResult::Started;
}

void ConversationEngine::requestClose()
{
    m_state.transfer.TransferKind = 6;
    setWantsTicks(true);
}

bool ConversationEngine::prepareDownload()
{
    if (m_mode == LinkMode::Directory || transferRunning())
        return false;
    abandonTransfer(QString());
    setMode(LinkMode::Idle);
    sendOpeningCall(true);
    return true;
}

QString ConversationEngine::confirmDownload(const DownloadRequest &request)
{
    if (m_mode != LinkMode::Idle)
        return QStringLiteral("The instrument is not ready for a download.");
    if (request.jobNumber < 1 || request.jobNumber > JobTable::kJobCount)
        return QStringLiteral("No job is selected.");
    if (request.dataKind == 0 && (request.dataTypeIndex < 0 || request.dataTypeIndex > 2))
        return QStringLiteral("Choose a data type.");
    if (request.fileName.trimmed().isEmpty())
        return QStringLiteral("Enter a file name.");
    abandonTransfer(QString());
    auto writer = std::make_unique<DownloadWriter>();
    if (!writer->open(downloadFilePath(request), request.overwrite))
        return writer->errorString();
    m_download = std::move(writer);
    m_downloadJob = request.jobNumber;
    m_downloadDataKind = request.dataKind;
    m_downloadType = request.dataTypeIndex;
    TransferState &t = m_state.transfer;
    t.JobName = request.fileName;
    t.DataTypeIndex = request.dataTypeIndex;
    t.TransferBlock = 0;
    t.TransferDone = 0;
    t.TransferKind = 3;
    return QString();
}

bool ConversationEngine::prepareUpload()
{
    if (m_mode != LinkMode::Idle)
        return false;
    abandonTransfer(QString());
    sendOpeningCall(true);
    return true;
}

QString ConversationEngine::confirmUpload(const UploadRequest &request)
{
    if (m_mode != LinkMode::Idle)
        return QStringLiteral("The instrument is not ready for an upload.");
    if (request.jobIndex < 0 || request.jobIndex >= JobTable::kJobCount)
        return QStringLiteral("No job is selected.");
    QFile probe(request.filePath);
    if (!probe.open(QIODevice::ReadOnly))
        return QStringLiteral("Cannot open %1: %2")
            .arg(QDir::toNativeSeparators(request.filePath), probe.errorString());
    probe.close();
    TransferState &t = m_state.transfer;
    const bool unnamed = m_jobs.JobSlotNames.at(request.jobIndex) == JobTable::emptyName();
    if (unnamed) {
        const QString error = jobNameError(request.newJobName);
        if (!error.isEmpty())
            return error;
        m_jobs.JobSlotNames[request.jobIndex] = request.newJobName;
    }
    m_uploadPath = request.filePath;
    t.UploadJobIndex = request.jobIndex;
    t.TransferBlock = 0;
    t.TransferDone = 0;
    t.TransferKind = unnamed ? 4 : 5;
    return QString();
}

QString ConversationEngine::startErase()
{
    if (m_mode == LinkMode::Directory)
        return QStringLiteral("Connect to the instrument first.");
    const int job = m_state.transfer.JobNumber;
    if (job < 1 || job > JobTable::kJobCount)
        return QStringLiteral("No job is selected.");
    // The erase replaces whatever conversation was running.
    abandonTransfer(QStringLiteral("The transfer was interrupted by an erase."));
    setMode(LinkMode::EraseCoordinates);
    sendOpeningCall(false);
    return QString();
}

QString ConversationEngine::downloadFilePath(const DownloadRequest &request)
{
    QString extension;
    if (request.dataKind != 0)
        extension = QStringLiteral(".gsi");
    else if (request.dataTypeIndex == 0)
        extension = QStringLiteral(".gsi");
    else if (request.dataTypeIndex == 1)
        extension = QStringLiteral(".idex");
    else if (request.dataTypeIndex == 2)
        extension = QStringLiteral(".dat");
    return QDir(request.folder).filePath(SafeFileName::fromName(request.fileName) + extension);
}

QString ConversationEngine::jobNameError(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("The job name is empty.");
    for (const QChar c : name) {
        if (c == u'/' || c == u',')
            return QStringLiteral("A job name cannot contain \"/\" or \",\".");
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QStringLiteral("A job name cannot contain control characters.");
    }
    const CodePage &oem = CodePage::oem();
    if (oem.decode(oem.encode(name)) != name)
        return QStringLiteral("The job name holds characters the instrument cannot store.");
    return QString();
}

// ---- helpers ----

void ConversationEngine::send(const QByteArray &command)
{
    sendRaw(CommandEncoding::encode(command, m_state.commSettings.EndMarkIndex));
}

void ConversationEngine::sendRaw(const QByteArray &bytes)
{
    m_awaitingReply = true;
    m_link.send(bytes);
    Q_EMIT commandSent(bytes);
}

void ConversationEngine::sendOpeningCall(bool startTimer)
{
    setStep(0);
    m_openingAnswered = false;
    if (m_awaitingReply) {
        // The ticks also bound how long the deferred "a" waits.
        m_openingCallDeferred = true;
        m_deferredTicks = 0;
        startTimer = true;
    } else {
        send("a");
    }
    if (startTimer)
        setWantsTicks(true);
}

void ConversationEngine::setMode(LinkMode mode)
{
    // A write can lose the link under a handler that goes on to its next mode;
    // the conversation stays in Directory, ready to connect again.
    if (m_mode == mode || (m_linkDown && mode != LinkMode::Directory))
        return;
    m_mode = mode;
    Q_EMIT linkModeChanged(mode);
}

void ConversationEngine::setWantsTicks(bool wanted)
{
    if (m_wantsTicks == wanted)
        return;
    m_wantsTicks = wanted;
    if (wanted)
        Q_EMIT timerStartRequested();
    else
        Q_EMIT timerStopRequested();
}

void ConversationEngine::setTransferBlock(int block)
{
    m_state.transfer.TransferBlock = block;
    Q_EMIT progress(block);
}

void ConversationEngine::abandonTransfer(const QString &reason)
{
    const bool running = transferRunning();
    if (m_download) {
        m_download->discard();
        m_download.reset();
    }
    if (m_upload) {
        m_upload->close();
        m_upload.reset();
    }
    if (running) {
        m_state.transfer.TransferDone = 1;
        if (!reason.isEmpty())
            Q_EMIT transferFailed(reason);
    }
}
