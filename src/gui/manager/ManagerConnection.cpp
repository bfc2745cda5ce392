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

    connect(m_instrumentTree, &QTreeWidget::itemDoubleClicked, this,
            &ManagerWindow::onInstrumentDoubleClicked);
    connect(m_instrumentTree, &QTreeWidget::currentItemChanged, this,
            &ManagerWindow::onInstrumentSelectionChanged);
}

void ManagerWindow::recordPcSelection(const QString &path)
{
    m_state.selection.pcPath = path;
    m_pcPath->setText(QDir::toNativeSeparators(path));
}

void ManagerWindow::onInstrumentDoubleClicked(QTreeWidgetItem *item)
{
    // After the double-click has done its own folding: the job store it brings
    // must not be folded away by it.
    if (InstrumentTree::kindOf(item) == InstrumentTree::Root && !engine().hasDirectory())
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
        QString text = reason.isEmpty() ? QStringLiteral("Open Port Fail!")
                                        : QStringLiteral("Open Port Fail!\n") +
                                              m_messages.openPortReason.arg(reason);
        if (engine().lastOpenWasDenied())
            text += QStringLiteral("\n\n") + tr("Serial ports belong to the group \"dialout\". "
                                                "Add yourself to it with\n"
                                                "    sudo usermod -aG dialout $USER\n"
                                                "then log out and in again.");
        Messages::show(this, text, Messages::Kind::Stop);
        return;
    }
    WaitDialog wait(m_state.UiLanguage, this, m_options.waitTickMs);
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
    if (!current)
        return;
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

void ManagerWindow::onJobSlotRenamed(int index)
{
    const JobTable &jobs = engine().jobTable();
    m_instrumentTree->relabelSlot(index, jobs.JobSlotLabels.value(index),
                                  jobs.JobSlotNames.value(index));
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
    const QString text = m_messages.linkLost.arg(reason);
    if (m_wait)
        m_wait->abortWithMessage(text);
    else
        Messages::show(this, text, Messages::Kind::Stop);
}

void ManagerWindow::onTransferFinished(const TransferResult &result)
{
    QString text;
    if (result.outcome == TransferResult::Outcome::LinkLost)
        text = m_messages.linkLostDuringTransfer.arg(result.report());
    else if (!result.complete())
        text = m_messages.transferIncomplete.arg(result.report());
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
    info.dataTypeIndex = m_state.selection.dataTypeIndex;
    info.destination = destination;
    info.countText = m_state.selection.countText;
    ProgressDialog progress(m_state.UiLanguage, info, this);
    ConversationEngine &e = engine();
    connect(&e, &ConversationEngine::progress, &progress, &ProgressDialog::setProgress);
    connect(&progress, &ProgressDialog::cancelRequested, &e, &ConversationEngine::cancel);
    m_progress = &progress;
    m_pendingNote.clear();
    Q_EMIT progressDialogOpened(&progress);
    // A transfer that failed before the dialog could open has reported itself.
    if (e.transferActive())
        progress.exec();
    m_progress = nullptr;
    if (!m_pendingNote.isEmpty()) {
        Messages::show(this, m_pendingNote, Messages::Kind::Warning);
        m_pendingNote.clear();
    }
}
