// SPDX-License-Identifier: GPL-3.0-or-later
// The operations the windows and the command line call.

#include "core/protocol/ConversationEngine.h"

#include "core/protocol/ConversationEngineHost.h"
#include "core/protocol/DownloadConversation.h"
#include "core/protocol/DownloadWriter.h"
#include "core/protocol/EraseConversation.h"
#include "core/protocol/OpeningConversation.h"
#include "core/protocol/SafeFileName.h"
#include "core/protocol/UploadConversation.h"
#include "core/protocol/UploadReader.h"
#include "core/serial/SerialLink.h"
#include "core/text/NameEncoding.h"

#include <QDir>
#include <QFile>

namespace {

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

// ---- operations ----

ConversationEngine::ConnectResult ConversationEngine::connectToInstrument()
{
    const Entry entry(*this);
    // Until the directory has been read a new double-click starts afresh: the
    // instrument may have been silent.
    if (m_directoryRead)
        return ConnectResult::AlreadyConnected;
    dropTransfer(TransferResult::Outcome::Cancelled, QString());
    retire();
    m_reply.reset();
    m_awaitingReply = false;
    m_openingCallDeferred = false;
    m_handshake = Handshake::Quiet;
    m_settings = m_source;
    if (!m_link.open(m_settings)) {
        m_lastError = m_link.errorString();
        return ConnectResult::OpenFailed;
    }
    m_linkDown = false;
    run(std::make_unique<OpeningConversation>(*m_host));
    send("a");
    return ConnectResult::Started;
}

void ConversationEngine::cancel()
{
    const Entry entry(*this);
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
    const Entry entry(*this);
    if (!m_directoryRead || transferActive())
        return false;
    // Whatever else runs (a refresh) gives way to the download.
    retire();
    sendOpeningCall(true);
    return true;
}

QString ConversationEngine::startDownload(const DownloadRequest &request)
{
    const Entry entry(*this);
    if (linkMode() != LinkMode::Idle || runningTransfer())
        return tr("The instrument is not ready for a download.");
    if (request.jobNumber < 1 || request.jobNumber > JobTable::kJobCount)
        return tr("No job is selected.");
    if (request.fileName.trimmed().isEmpty())
        return tr("Enter a file name.");
    // A download confirmed again (the user agreed to replace the file) replaces the first.
    dropTransfer(TransferResult::Outcome::Cancelled, QString());
    // A count that is no number would ask for a wrong number of lines.
    if (request.dataKind == DataKind::FixPoints) {
        QString countError;
        if (!m_jobs.coordinateCount(request.jobNumber - 1, &countError))
            return countError;
    }
    auto writer = std::make_unique<DownloadWriter>();
    if (!writer->open(downloadFilePath(request), request.overwrite))
        return writer->errorString();
    m_prepared = std::make_unique<DownloadConversation>(*m_host, request, std::move(writer));
    setWantsTicks(true);
    return QString();
}

bool ConversationEngine::prepareUpload()
{
    const Entry entry(*this);
    if (linkMode() != LinkMode::Idle || transferActive())
        return false;
    sendOpeningCall(true);
    return true;
}

QString ConversationEngine::startUpload(const UploadRequest &request)
{
    const Entry entry(*this);
    if (linkMode() != LinkMode::Idle || runningTransfer())
        return tr("The instrument is not ready for an upload.");
    if (request.jobNumber < 1 || request.jobNumber > JobTable::kJobCount)
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
    const int index = request.jobNumber - 1;
    const bool unnamed = m_jobs.JobSlotNames.at(index) == JobTable::emptyName();
    if (unnamed) {
        const QString error = jobNameError(request.newJobName, m_settings.JobNameEncoding);
        if (!error.isEmpty())
            return error;
    }
    dropTransfer(TransferResult::Outcome::Cancelled, QString());
    if (unnamed)
        m_jobs.JobSlotNames[index] = request.newJobName;
    m_prepared = std::make_unique<UploadConversation>(*m_host, request, unnamed,
                                                      countFilledLines(request.filePath));
    setWantsTicks(true);
    return QString();
}

QString ConversationEngine::erase(int jobNumber)
{
    const Entry entry(*this);
    if (!m_directoryRead)
        return tr("Connect to the instrument first.");
    if (jobNumber < 1 || jobNumber > JobTable::kJobCount)
        return tr("No job is selected.");
    const std::optional<TransferResult> interrupted = dropTransfer(
        TransferResult::Outcome::Failed, tr("The transfer was interrupted by an erase."));
    if (interrupted)
        Q_EMIT finished(*interrupted);
    retire();
    run(std::make_unique<EraseConversation>(*m_host, jobNumber));
    sendOpeningCall(false);
    return QString();
}

QString ConversationEngine::downloadFilePath(const DownloadRequest &request)
{
    return QDir(request.folder)
        .filePath(SafeFileName::fromName(request.fileName) +
                  TransferKinds::downloadExtension(request.dataKind, request.format));
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
