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
#include "serial/InstrumentSession.h"
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
    m_session = std::make_unique<InstrumentSession>(m_state);
    m_session->setTimerInterval(m_options.pendingActionMs);
    if (!m_options.devicePath.isEmpty())
        m_session->setDevicePath(m_options.devicePath);

    ConversationEngine &e = m_session->engine();
    connect(&e, &ConversationEngine::jobTableChanged, this, &ManagerWindow::onJobTableChanged);
    connect(&e, &ConversationEngine::jobSlotRenamed, this, &ManagerWindow::onJobSlotRenamed);
    connect(&e, &ConversationEngine::fileAdded, this, &ManagerWindow::onFileAdded);
    connect(&e, &ConversationEngine::transferFailed, this, &ManagerWindow::onTransferFailed);
    connect(&e, &ConversationEngine::transferFinished, this, &ManagerWindow::onTransferFinished);
    connect(&m_session->link(), &SerialLink::linkLost, this, &ManagerWindow::onLinkLost);

    connect(m_instrumentTree, &QTreeWidget::itemDoubleClicked, this,
            &ManagerWindow::onInstrumentDoubleClicked);
    connect(m_instrumentTree, &QTreeWidget::currentItemChanged, this,
            &ManagerWindow::onInstrumentSelectionChanged);
}

void ManagerWindow::recordPcSelection(const QString &path)
{
    m_state.transfer.PcPath = path;
    m_pcPath->setText(QDir::toNativeSeparators(path));
}

void ManagerWindow::onInstrumentDoubleClicked(QTreeWidgetItem *item)
{
    if (InstrumentTree::kindOf(item) == InstrumentTree::Root &&
        engine().linkMode() == LinkMode::Directory)
        connectInstrument();
}

void ManagerWindow::connectInstrument()
{
    const ConversationEngine::ConnectResult result = engine().startConnection();
    if (result == ConversationEngine::ConnectResult::AlreadyConnected)
        return;
    if (result == ConversationEngine::ConnectResult::OpenFailed) {
        // Nothing was sent, so there is nothing to wait for.
        const QString reason = engine().lastError();
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
    WaitDialog wait(m_state, this, m_options.waitTickMs);
    m_wait = &wait;
    Q_EMIT waitDialogOpened(&wait);
    wait.exec();
    m_wait = nullptr;
}

void ManagerWindow::onInstrumentSelectionChanged(QTreeWidgetItem *current)
{
    if (!current)
        return;
    InstrumentTree::trackSelection(current, engine().jobTable(), m_state);
    m_instrumentPath->setText(current->text(0));
}

void ManagerWindow::onJobTableChanged(bool fullRead)
{
    if (fullRead)
        m_instrumentTree->buildJobTree(engine().jobTable());
    else
        m_instrumentTree->relabel(engine().jobTable());
}

void ManagerWindow::onJobSlotRenamed(int index)
{
    const JobTable &jobs = engine().jobTable();
    m_instrumentTree->relabelSlot(index, jobs.JobSlotLabels.value(index),
                                  jobs.JobSlotNames.value(index));
}

void ManagerWindow::onFileAdded(const QString &path)
{
    // The folder's node gets the file only when it has been listed.
    QTreeWidgetItem *folder = m_pcTree->findByPath(QFileInfo(path).absolutePath());
    m_pcTree->addFileNode(folder, path);
}

void ManagerWindow::onLinkLost(const QString &reason)
{
    const QString text = m_messages.linkLost.arg(reason);
    if (m_wait)
        m_wait->abortWithMessage(text);
    else if (m_progress)
        m_progress->abortWithMessage(text);
    else
        Messages::show(this, text, Messages::Kind::Stop);
}

void ManagerWindow::onTransferFailed(const QString &reason)
{
    const QString text = m_messages.transferFailed.arg(reason);
    if (m_progress)
        m_progress->abortWithMessage(text);
    else
        Messages::show(this, text, Messages::Kind::Warning);
}

void ManagerWindow::onTransferFinished(const TransferSummary &summary)
{
    if (summary.complete())
        return;
    const QString text = m_messages.transferIncomplete.arg(summary.note);
    if (m_progress)
        m_pendingNote = text; // told once the progress dialog has closed
    else
        Messages::show(this, text, Messages::Kind::Warning);
}

void ManagerWindow::runProgress(const QString &uploadJobName)
{
    ProgressDialog progress(m_state, uploadJobName, this, m_options.progressTickMs);
    m_progress = &progress;
    Q_EMIT progressDialogOpened(&progress);
    progress.exec();
    m_progress = nullptr;
    if (!m_pendingNote.isEmpty()) {
        Messages::show(this, m_pendingNote, Messages::Kind::Warning);
        m_pendingNote.clear();
    }
}
