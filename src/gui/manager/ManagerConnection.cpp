// SPDX-License-Identifier: GPL-3.0-or-later
// The manager's side of the conversation: connecting, the trees fed from the
// engine's job table, and what a lost link or a failed transfer does to the
// dialogs that follow them.
#include "InstrumentTree.h"
#include "ManagerWindow.h"
#include "PcTree.h"
#include "ProgressDialog.h"
#include "WaitDialog.h"
#include "common/Messages.h"
#include "protocol/ConversationEngine.h"
#include "session/InstrumentSession.h"
#include "state/AppState.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

ConversationEngine &ManagerWindow::engine() const
{
    return m_session->engine();
}

void ManagerWindow::connectSession()
{
    m_session = std::make_unique<InstrumentSession>(m_state.commSettings);
    m_session->setTickInterval(m_options.engineTickMs);
    if (!m_options.devicePath.isEmpty())
        m_session->setDevicePath(m_options.devicePath);

    ConversationEngine &e = m_session->engine();
    connect(&e, &ConversationEngine::jobTableChanged, this, &ManagerWindow::onJobTableChanged);
    connect(&e, &ConversationEngine::jobSlotRenamed, this, &ManagerWindow::onJobSlotRenamed);
    connect(&e, &ConversationEngine::fileAdded, this, &ManagerWindow::onFileAdded);
    connect(&e, &ConversationEngine::finished, this, &ManagerWindow::onTransferFinished);
    connect(&e, &ConversationEngine::linkLost, this, &ManagerWindow::onLinkLost);
    connect(&e, &ConversationEngine::connectionClosed, this, &ManagerWindow::onConnectionClosed);

    connect(m_instrumentTree, &QTreeWidget::itemDoubleClicked, this,
            &ManagerWindow::onInstrumentDoubleClicked);
    connect(m_instrumentTree, &QTreeWidget::currentItemChanged, this,
            &ManagerWindow::onInstrumentSelectionChanged);
    connect(&e, &ConversationEngine::instrumentAnswered, this, &ManagerWindow::updateStatusFields);
}

void ManagerWindow::recordPcSelection(const QString &path)
{
    m_state.selection.pcPath = path;
    // The root's path is its English name; the field shows its label.
    m_pcPath->setText(path == PcTree::myComputerText() ? PcTree::myComputerLabel()
                                                       : QDir::toNativeSeparators(path));
}

void ManagerWindow::onInstrumentDoubleClicked(QTreeWidgetItem *item)
{
    // After the double-click has done its own folding: the job store it brings
    // must not be folded away by it.
    // A greyed job list from a closed connection connects again as its port does.
    const bool connects = InstrumentTree::kindOf(item) == InstrumentTree::Root ||
                          (item && m_instrumentTree->isStale());
    if (connects && !engine().hasDirectory())
        QMetaObject::invokeMethod(this, &ManagerWindow::connectInstrument, Qt::QueuedConnection);
}

void ManagerWindow::activateCurrentNode(QTreeWidget *tree)
{
    QTreeWidgetItem *item = tree->currentItem();
    if (!item)
        return;
    if (tree == m_instrumentTree && InstrumentTree::kindOf(item) == InstrumentTree::Root) {
        onInstrumentDoubleClicked(item);
        return;
    }
    if (tree == m_pcTree && PcTree::kindOf(item) == PcTree::Entry &&
        isCoordinateFile(PcTree::composeNodePath(item, false))) {
        onPcDoubleClicked(item);
        return;
    }
    // Any other node folds or unfolds, as a double-click does; a PC folder is
    // listed first.
    if (tree == m_pcTree)
        m_pcTree->enumerateFolderNode(item);
    item->setExpanded(!item->isExpanded());
}

void ManagerWindow::connectInstrument()
{
    ConversationEngine &e = engine();
    const ConversationEngine::ConnectResult result = e.connectToInstrument();
    if (result == ConversationEngine::ConnectResult::AlreadyConnected)
        return;
    if (result == ConversationEngine::ConnectResult::OpenFailed) {
        // Nothing was sent, so there is nothing to wait for.
        const QString reason = e.lastError();
        // The instrument's own words first, then what the port said.
        QString text = QStringLiteral("Open Port Fail!");
        if (!reason.isEmpty())
            text += QLatin1Char('\n') + tr("%1", "why the port could not be opened").arg(reason);
        if (engine().lastOpenWasDenied())
            text += QStringLiteral("\n\n") + tr("Serial ports belong to the group \"dialout\". "
                                                "Add yourself to it with\n"
                                                "    sudo usermod -aG dialout $USER\n"
                                                "then log out and in again.");
        Messages::show(this, text, Messages::Kind::Stop);
        return;
    }
    updateStatusFields();
    WaitDialog wait(this, m_options.waitTickMs);
    connect(&e, &ConversationEngine::instrumentAnswered, &wait, &WaitDialog::instrumentAnswered);
    connect(&e, &ConversationEngine::jobTableChanged, &wait, [&wait](bool fullRead) {
        if (fullRead)
            wait.directoryRead();
    });
    connect(&wait, &WaitDialog::cancelRequested, &e, &ConversationEngine::cancel);
    m_wait = &wait;
    Q_EMIT waitDialogOpened(&wait);
    wait.exec();
    m_wait = nullptr;
}

void ManagerWindow::onInstrumentSelectionChanged(QTreeWidgetItem *current)
{
    if (!current) {
        m_instrumentPath->clear();
        return;
    }
    InstrumentTree::trackSelection(current, engine().jobTable(), m_state.selection);
    m_instrumentPath->setText(current->text(0));
}

void ManagerWindow::refreshInstrumentSelection()
{
    onInstrumentSelectionChanged(m_instrumentTree->currentItem());
}

void ManagerWindow::onJobTableChanged(bool fullRead)
{
    if (fullRead)
        m_instrumentTree->buildJobTree(engine().jobTable());
    else
        m_instrumentTree->relabel(engine().jobTable());
    m_instrumentTree->expandJobs();
    // The counts of the chosen job may have changed under its node.
    refreshInstrumentSelection();
}

void ManagerWindow::onJobSlotRenamed(int jobNumber)
{
    const int index = jobNumber - 1;
    m_instrumentTree->relabelSlot(index, engine().jobTable().JobSlotNames.value(index));
    refreshInstrumentSelection();
}

void ManagerWindow::onFileAdded(const QString &path)
{
    // The folder's node gets the file only when it has been listed.
    QTreeWidgetItem *folder = m_pcTree->findByPath(QFileInfo(path).absolutePath());
    m_pcTree->addFileNode(folder, path);
}

void ManagerWindow::onLinkLost(const QString &reason)
{
    // Only a loss outside a transfer comes here; a transfer reports its own.
    const QString text = tr("The connection to the instrument was lost: %1\n"
                            "Double-click the port to connect again.")
                             .arg(reason);
    if (m_wait)
        m_wait->abortWithMessage(text);
    else
        Messages::show(this, text, Messages::Kind::Stop);
}

void ManagerWindow::onConnectionClosed()
{
    // An upload, erase or refresh cut short leaves counts the instrument may
    // no longer hold, and nothing can be done with the jobs before connecting
    // again, which reads them anew: the list stays in sight, greyed, saying
    // so, rather than vanishing without a word.
    const bool hadCurrent = m_instrumentTree->currentItem();
    m_instrumentTree->markConnectionClosed();
    // A job node cannot be chosen now: its port stands in its place.
    if (hadCurrent)
        m_instrumentTree->setCurrentItem(m_instrumentTree->portNode());
    refreshInstrumentSelection();
    updateStatusFields();
}

void ManagerWindow::onTransferFinished(const TransferResult &result)
{
    if (result.kind == TransferResult::Kind::Upload &&
        result.outcome == TransferResult::Outcome::Cancelled && result.linesTransferred > 0 &&
        m_progress) {
        // The question replaces the note once the progress dialog has closed.
        m_cancelledUpload = result;
        m_progress->transferEnded();
        return;
    }
    QString text;
    if (result.outcome == TransferResult::Outcome::LinkLost)
        text = tr("%1\nDouble-click the port to connect again.").arg(result.report());
    else if (!result.complete())
        text = tr("%1", "how an incomplete transfer ended").arg(result.report());
    else if (result.skippedLines > 0)
        text = result.report(); // the lines left out are said, never dropped unseen
    if (m_progress) {
        // Told once the progress dialog has closed, so no box stands on it.
        m_pendingNote = text;
        m_progress->transferEnded();
    } else if (!text.isEmpty()) {
        Messages::show(this, text, Messages::Kind::Warning);
    }
}

void ManagerWindow::runProgress(const QString &destination)
{
    ProgressDialog::Info info;
    info.downloadFormat = m_state.selection.downloadFormat;
    info.destination = destination;
    info.countText = m_state.selection.countText;
    ProgressDialog progress(info, this);
    ConversationEngine &e = engine();
    connect(&e, &ConversationEngine::progress, &progress, &ProgressDialog::setProgress);
    connect(&progress, &ProgressDialog::cancelRequested, &e, &ConversationEngine::cancel);
    m_progress = &progress;
    m_pendingNote.clear();
    m_cancelledUpload.reset();
    Q_EMIT progressDialogOpened(&progress);
    // A transfer that failed before the dialog could open has reported itself.
    if (e.transferActive())
        progress.exec();
    m_progress = nullptr;
    if (!m_pendingNote.isEmpty()) {
        Messages::show(this, m_pendingNote, Messages::Kind::Warning);
        m_pendingNote.clear();
    }
    if (m_cancelledUpload) {
        const TransferResult cancelled = *m_cancelledUpload;
        m_cancelledUpload.reset();
        offerEraseAfterCancel(cancelled);
    }
}

void ManagerWindow::offerEraseAfterCancel(const TransferResult &result)
{
    const int index = m_uploadChoice.jobIndex;
    if (index < 0 || index >= JobTable::kJobCount)
        return;
    const QString slot = InstrumentTree::slotText(engine().jobTable(), index);
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
    if (Messages::choose(this, text, {tr("Keep"), tr("Erase")}, Keep) != Erase)
        return;
    connectInstrument();
    if (!engine().hasDirectory())
        return; // the wait dialog has said why
    const QString refused = engine().erase(index + 1);
    if (!refused.isEmpty())
        Messages::show(this, tr("%1", "the erase was refused for this reason").arg(refused),
                       Messages::Kind::Warning);
}
