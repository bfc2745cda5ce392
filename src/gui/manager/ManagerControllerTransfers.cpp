// SPDX-License-Identifier: GPL-3.0-or-later
// The controller's transfers: download, upload and erase, and what their end
// has to say once the progress dialog has closed.
#include "core/coordfiles/CoordFileIo.h"
#include "core/protocol/ConversationEngine.h"
#include "core/protocol/UploadReader.h"
#include "core/state/AppState.h"
#include "gui/common/Messages.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/ManagerController.h"
#include "gui/manager/ManagerPrompts.h"

#include <QAction>
#include <QDir>

QString ManagerController::acceptedFilesText()
{
    QStringList extensions = CoordFileIo::readableExtensions();
    for (QString &extension : extensions)
        extension.prepend(QLatin1Char('.'));
    return tr("Accepted: a GSI file, or a coordinate file holding points (%1).")
        .arg(extensions.join(QStringLiteral(", ")));
}

void ManagerController::dropOnPcFolder(const QString &folder)
{
    // A drag always starts from the selected node, whose selection set the job values.
    if (!action(Action::Move)->isEnabled())
        return;
    m_state.selection.pcPath = folder;
    download();
}

void ManagerController::dropOnJob(int kind, int slot, const QString &portLabel)
{
    const int chosen = m_nodeKind;
    chooseInstrumentNode(kind, slot, portLabel);
    m_nodeKind = chosen; // the tree's own choice is unchanged
    updateActions();
    upload(false);
}

void ManagerController::download()
{
    if (m_connecting || m_transferring ||
        (m_nodeKind != InstrumentTree::FixPoints &&
         m_nodeKind != InstrumentTree::MeasurementPoints))
        return;
    if (!engine().prepareDownload()) {
        // The tree may still show the jobs of a connection that has gone.
        tell(tr("Connect to the instrument first: double-click the port."),
             Messages::Kind::Warning);
        return;
    }
    auto confirm = [this](const DownloadRequest &r) {
        return engine().startDownload(r);
    };
    if (m_prompts && m_prompts->askDownload(confirm))
        beginTransfer(m_state.selection.pcPath);
}

void ManagerController::upload(bool strictGsi8)
{
    if (m_connecting || m_transferring || !engine().isIdle())
        return;
    const QString path = m_state.selection.pcPath;
    const UploadReader::Inspection inspection = UploadReader::inspect(path, strictGsi8);
    // Not the instrument's "wrong file" text when the file is not there to be wrong.
    const QString native = QDir::toNativeSeparators(path);
    const Messages::Kind warning = Messages::Kind::Warning;
    switch (inspection.check) {
    case UploadReader::FileCheck::NotGsi:
        return;
    case UploadReader::FileCheck::Missing:
        tell(tr("%1 does not exist.").arg(native), warning);
        return;
    case UploadReader::FileCheck::NotAFile:
        tell(tr("%1 is a folder, not a file to upload.").arg(native), warning);
        return;
    case UploadReader::FileCheck::Unreadable:
        tell(tr("Cannot read %1: %2").arg(native, inspection.reason), warning);
        return;
    case UploadReader::FileCheck::WrongFirstLine:
        tell(QStringLiteral("Please Sellect Right File!") + QLatin1Char('\n') + acceptedFilesText(),
             Messages::Kind::Plain);
        return;
    case UploadReader::FileCheck::Refused:
        tell(tr("%1 cannot be sent: %2").arg(native, inspection.reason), warning);
        return;
    case UploadReader::FileCheck::Accepted:
        break;
    }
    if (!inspection.note.isEmpty())
        tell(tr("%1: %2").arg(native, inspection.note), Messages::Kind::Plain);
    if (!engine().prepareUpload() || !m_prompts)
        return;
    UploadRequest sent;
    auto confirm = [this, &sent](const UploadRequest &r) {
        const QString refused = confirmUpload(r);
        if (refused.isEmpty())
            sent = r;
        return refused;
    };
    if (m_prompts->askUpload(jobTable(), confirm))
        beginTransfer(sent.newJobName.isEmpty() ? jobTable().JobSlotNames.value(sent.jobNumber - 1)
                                                : sent.newJobName);
}

QString ManagerController::confirmUpload(const UploadRequest &request)
{
    const QString refused = engine().startUpload(request);
    if (refused.isEmpty()) {
        m_uploadChoice.jobIndex = request.jobNumber - 1;
        m_uploadChoice.pointsBefore =
            JobTable::leadingCount(jobTable().FixPointCounts.value(request.jobNumber - 1));
        m_uploadChoice.replaced = request.replaceExisting;
    }
    return refused;
}

void ManagerController::beginTransfer(const QString &destination)
{
    // A transfer that failed before its dialog could open has reported itself.
    if (!engine().transferActive())
        return;
    ProgressInfo info;
    info.downloadFormat = m_state.selection.downloadFormat;
    info.destination = destination;
    info.countText = m_state.selection.countText;
    m_transferring = true;
    m_progressOpen = true;
    updateActions();
    Q_EMIT transferStarted(info);
}

void ManagerController::onFinished(const TransferResult &result)
{
    std::optional<TransferResult> cancelledUpload;
    QString note;
    if (result.kind == TransferResult::Kind::Upload &&
        result.outcome == TransferResult::Outcome::Cancelled && result.linesTransferred > 0)
        cancelledUpload = result; // the offer to erase replaces the note
    else if (result.outcome == TransferResult::Outcome::LinkLost)
        note = tr("%1\nDouble-click the port to connect again.").arg(result.report());
    else if (!result.complete())
        note = tr("%1", "how an incomplete transfer ended").arg(result.report());
    else if (result.skippedLines > 0)
        note = result.report(); // the lines left out are said, never dropped unseen
    if (!m_progressOpen) {
        if (!note.isEmpty())
            tell(note, Messages::Kind::Warning);
        return;
    }
    m_progressOpen = false;
    // The commands are free again at once; the note follows.
    m_transferring = false;
    m_endPending = true;
    updateActions();
    Q_EMIT transferEnded();
    // Told after the engine has finished its own work on the end, so no box
    // stands on the progress dialog or inside the conversation's signal.
    QMetaObject::invokeMethod(
        this, [this, note, cancelledUpload] { afterTransfer(note, cancelledUpload); },
        Qt::QueuedConnection);
}

void ManagerController::afterTransfer(const QString &note,
                                      std::optional<TransferResult> cancelledUpload)
{
    if (!note.isEmpty())
        tell(note, Messages::Kind::Warning);
    m_endPending = false;
    if (cancelledUpload)
        offerEraseAfterCancel(*cancelledUpload);
}

void ManagerController::offerEraseAfterCancel(const TransferResult &result)
{
    const int index = m_uploadChoice.jobIndex;
    if (index < 0 || index >= JobTable::kJobCount)
        return;
    const QString slot = InstrumentTree::slotText(jobTable(), index);
    QString text = tr("The upload was cancelled after %1 lines of %2 had been sent; they are in "
                      "%3 on the instrument.")
                       .arg(QString::number(result.linesTransferred),
                            QDir::toNativeSeparators(result.path), slot);
    text += QStringLiteral("\n\n");
    // The instrument erases a job's coordinates only as a whole.
    if (!m_uploadChoice.replaced && m_uploadChoice.pointsBefore > 0)
        text += tr("Erasing them also erases the %1 points the job held before the upload.")
                    .arg(m_uploadChoice.pointsBefore) +
                QLatin1Char(' ');
    text += tr("Erase the job's coordinates (this connects again), or keep them?");
    enum { Keep, Erase };
    const QStringList choices = {tr("Keep"), tr("Erase")};
    const int chosen = m_prompts ? m_prompts->choose(text, choices, Keep)
                                 : Messages::choose(nullptr, text, choices, Keep);
    if (chosen != Erase)
        return;
    // Erased once the new connection has read the directory; a failed one says why.
    m_eraseAfterConnect = index + 1;
    connectInstrument();
    if (!m_connecting)
        m_eraseAfterConnect = 0;
}

void ManagerController::erase()
{
    if (m_connecting || m_transferring)
        return;
    if (!engine().hasDirectory()) {
        // The greyed list of a closed connection is no job to erase.
        if (m_stale)
            tell(tr("The connection is closed. Double-click %1 to connect, then choose the "
                    "job again.")
                     .arg(QStringLiteral("COM%1").arg(m_state.commSettings.PortNumber)),
                 Messages::Kind::Warning);
        return; // no connection has been opened
    }
    const int job = m_state.selection.jobNumber;
    if (job < 1 || job > JobTable::kJobCount) {
        tell(tr("Please select a job in the instrument tree first."), Messages::Kind::Warning);
        return;
    }
    const JobTable &jobs = jobTable();
    const QString slot = InstrumentTree::slotText(job - 1, jobs.JobNames.value(job - 1));
    // Exactly what goes: the coordinates; the observations stay, whichever
    // line of the job was chosen.
    const QString question =
        tr("Erase the coordinates of %1 on the instrument (%2)?\nIts observations (%3) stay.")
            .arg(slot,
                 InstrumentTree::fixPointsText(
                     JobTable::withoutLineEnd(jobs.FixPointCounts.value(job - 1)).trimmed()),
                 InstrumentTree::measurementPointsText(
                     JobTable::withoutLineEnd(jobs.MeasurementCounts.value(job - 1)).trimmed()));
    if (!ask(question))
        return;
    const QString refused = engine().erase(job);
    // The engine's reason is a whole sentence in English; a translation may lead in.
    if (!refused.isEmpty())
        tell(tr("%1", "the erase was refused for this reason").arg(refused),
             Messages::Kind::Warning);
}
