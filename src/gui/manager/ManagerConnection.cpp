// SPDX-License-Identifier: GPL-3.0-or-later
// The window's side of the conversation: the trees fed from the controller's
// signals, the wait and progress dialogs that follow them, and the message
// boxes and dialogs the controller asks for.
#include "core/protocol/ConversationEngine.h"
#include "core/state/AppState.h"
#include "gui/common/Messages.h"
#include "gui/manager/CommSettingsDialog.h"
#include "gui/manager/DownloadCoordinates.h"
#include "gui/manager/DownloadDialog.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/ManagerWindow.h"
#include "gui/manager/PcTree.h"
#include "gui/manager/ProgressDialog.h"
#include "gui/manager/UploadDialog.h"
#include "gui/manager/WaitDialog.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

void ManagerWindow::connectController()
{
    ManagerController *c = m_controller.get();
    connect(c, &ManagerController::connecting, this, &ManagerWindow::openWaitDialog);
    connect(c, &ManagerController::transferStarted, this, &ManagerWindow::openProgressDialog);
    connect(c, &ManagerController::jobTableChanged, this, &ManagerWindow::onJobTableChanged);
    connect(c, &ManagerController::jobSlotRenamed, this, &ManagerWindow::onJobSlotRenamed);
    connect(c, &ManagerController::fileAdded, this, &ManagerWindow::onFileAdded);
    connect(c, &ManagerController::connectionClosed, this, &ManagerWindow::onConnectionClosed);
    connect(c, &ManagerController::instrumentAnswered, this, &ManagerWindow::updateStatusFields);
    connect(c, &ManagerController::portSettingsChanged, this, &ManagerWindow::updateStatusFields);
    connect(c, &ManagerController::statusbarToggled, m_statusBar, &QWidget::setVisible);
    connect(c, &ManagerController::exitRequested, this, &QDialog::accept);
    connect(m_instrumentTree, &QTreeWidget::itemDoubleClicked, this,
            &ManagerWindow::onInstrumentDoubleClicked);
    connect(m_instrumentTree, &QTreeWidget::currentItemChanged, this,
            &ManagerWindow::onInstrumentSelectionChanged);
}

// ---- what the controller asks for ----

void ManagerWindow::tell(const QString &text, Messages::Kind kind)
{
    Messages::show(this, text, kind);
}

bool ManagerWindow::ask(const QString &question)
{
    return Messages::ask(this, question);
}

int ManagerWindow::choose(const QString &text, const QStringList &choices, int defaultChoice)
{
    return Messages::choose(this, text, choices, defaultChoice);
}

bool ManagerWindow::askDownload(const DownloadConfirm &confirm)
{
    DownloadDialog dialog(m_state, confirm, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // A download refused at its start has already reported itself.
    if (dialog.alsoSaveCoordinates() && m_controller->engine().transferActive()) {
        // Made now, so it sees how the download ends; it asks once the
        // progress dialog has closed.
        auto *coordinates = new DownloadCoordinates(m_controller->engine(), this);
        connect(
            m_controller.get(), &ManagerController::transferEnded, coordinates,
            [coordinates] {
                QMetaObject::invokeMethod(
                    coordinates,
                    [coordinates] {
                        coordinates->run();
                        coordinates->deleteLater();
                    },
                    Qt::QueuedConnection);
            },
            Qt::SingleShotConnection);
    }
    return true;
}

bool ManagerWindow::askUpload(const JobTable &jobs, const UploadConfirm &confirm)
{
    UploadDialog dialog(m_state, jobs, confirm, this);
    return dialog.exec() == QDialog::Accepted;
}

void ManagerWindow::editPortSettings()
{
    CommSettingsDialog dialog(m_state, this);
    dialog.exec();
}

// ---- the wait and progress dialogs ----

WaitDialog *ManagerWindow::waitDialog() const
{
    return m_wait && m_wait->isVisible() ? m_wait.data() : nullptr;
}

ProgressDialog *ManagerWindow::progressDialog() const
{
    return m_progress && m_progress->isVisible() ? m_progress.data() : nullptr;
}

void ManagerWindow::openWaitDialog()
{
    updateStatusFields();
    delete m_wait; // one that gave up and has not gone yet
    auto *wait = new WaitDialog(this, m_options.waitTickMs);
    wait->setAttribute(Qt::WA_DeleteOnClose);
    ManagerController *c = m_controller.get();
    connect(c, &ManagerController::instrumentAnswered, wait, &WaitDialog::instrumentAnswered);
    connect(c, &ManagerController::directoryRead, wait, &WaitDialog::directoryRead);
    connect(c, &ManagerController::connectingAborted, wait, &WaitDialog::abortWithMessage);
    connect(wait, &WaitDialog::cancelRequested, c, &ManagerController::cancel);
    connect(wait, &QDialog::finished, c, &ManagerController::waitEnded);
    m_wait = wait;
    wait->open();
}

void ManagerWindow::openProgressDialog(const ProgressInfo &info)
{
    delete m_progress;
    auto *progress = new ProgressDialog(info, this);
    progress->setAttribute(Qt::WA_DeleteOnClose);
    ManagerController *c = m_controller.get();
    connect(c, &ManagerController::transferProgress, progress, &ProgressDialog::setProgress);
    connect(c, &ManagerController::transferEnded, progress, &ProgressDialog::transferEnded);
    connect(progress, &ProgressDialog::cancelRequested, c, &ManagerController::cancel);
    m_progress = progress;
    progress->open();
}

// ---- the trees ----

void ManagerWindow::recordPcSelection(const QString &path)
{
    m_controller->setPcPath(path);
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
    if (connects && action(Command::Connect)->isEnabled())
        QMetaObject::invokeMethod(m_controller.get(), &ManagerController::connectInstrument,
                                  Qt::QueuedConnection);
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

void ManagerWindow::onInstrumentSelectionChanged(QTreeWidgetItem *current)
{
    if (!current) {
        m_controller->chooseInstrumentNode(0, 0, QString());
        m_instrumentPath->clear();
        return;
    }
    m_controller->chooseInstrumentNode(InstrumentTree::kindOf(current),
                                       InstrumentTree::slotOf(current),
                                       m_instrumentTree->portNode()->text(0));
    m_instrumentPath->setText(current->text(0));
}

void ManagerWindow::onJobTableChanged(bool fullRead)
{
    const JobTable &jobs = m_controller->jobTable();
    if (fullRead)
        m_instrumentTree->buildJobTree(jobs);
    else
        m_instrumentTree->relabel(jobs);
    m_instrumentTree->expandJobs();
    // The counts of the chosen job may have changed under its node.
    onInstrumentSelectionChanged(m_instrumentTree->currentItem());
}

void ManagerWindow::onJobSlotRenamed(int jobNumber, const QString &name)
{
    m_instrumentTree->relabelSlot(jobNumber - 1, name);
    onInstrumentSelectionChanged(m_instrumentTree->currentItem());
}

void ManagerWindow::onFileAdded(const QString &path)
{
    // The folder's node gets the file only when it has been listed.
    QTreeWidgetItem *folder = m_pcTree->findByPath(QFileInfo(path).absolutePath());
    m_pcTree->addFileNode(folder, path);
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
    onInstrumentSelectionChanged(m_instrumentTree->currentItem());
    updateStatusFields();
}
