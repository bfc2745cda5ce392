// SPDX-License-Identifier: GPL-3.0-or-later
// The manager's transfer and file commands: drag and drop between the trees,
// both pop-up menus, the main menu's Move/Rename/Delete and the picture
// buttons.
#include "DownloadDialog.h"
#include "InstrumentTree.h"
#include "ManagerWindow.h"
#include "PcFileOps.h"
#include "PcTree.h"
#include "UploadDialog.h"
#include "common/Messages.h"
#include "coordfiles/CoordFileIo.h"
#include "editor/EditorWindow.h"
#include "pcfiles/ProtectedPaths.h"
#include "protocol/ConversationEngine.h"
#include "protocol/UploadReader.h"
#include "state/AppState.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

namespace {

bool isPointNode(const QTreeWidgetItem *item)
{
    const auto kind = InstrumentTree::kindOf(item);
    return kind == InstrumentTree::FixPoints || kind == InstrumentTree::MeasurementPoints;
}

QString rightFileText()
{
    return QStringLiteral("Please Sellect Right File!");
}

} // namespace

void ManagerWindow::connectCommands()
{
    using C = Command;
    for (C c : {C::Move, C::Rename})
        connect(action(c), &QAction::triggered, this, &ManagerWindow::downloadCommand);
    connect(action(C::Delete), &QAction::triggered, this, &ManagerWindow::eraseCommand);
    connect(m_downloadButton, &QPushButton::clicked, this, &ManagerWindow::downloadCommand);
    connect(m_eraseButton, &QPushButton::clicked, this, &ManagerWindow::eraseCommand);

    m_instrumentTree->setDragPeer(m_pcTree);
    m_pcTree->setDragPeer(m_instrumentTree);
    connect(m_pcTree, &DragTree::nodeDropped, this, &ManagerWindow::onPcNodeDropped);
    connect(m_instrumentTree, &DragTree::nodeDropped, this,
            &ManagerWindow::onInstrumentNodeDropped);
    setAcceptDrops(true);

    for (QTreeWidget *tree :
         {static_cast<QTreeWidget *>(m_pcTree), static_cast<QTreeWidget *>(m_instrumentTree)})
        tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pcTree, &QWidget::customContextMenuRequested, this, &ManagerWindow::onPcContextMenu);
    connect(m_instrumentTree, &QWidget::customContextMenuRequested, this,
            &ManagerWindow::onInstrumentContextMenu);
    connect(m_pcTree, &DragTree::deleteRequested, this, &ManagerWindow::pcDeleteCommand);
    connect(m_instrumentTree, &DragTree::deleteRequested, this, &ManagerWindow::eraseCommand);
    connect(m_pcTree, &QTreeWidget::itemDoubleClicked, this, &ManagerWindow::onPcDoubleClicked);
}

QMenu *ManagerWindow::makePcMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setToolTipsVisible(true);
    connect(menu->addAction(tr("Move")), &QAction::triggered, this, &ManagerWindow::pcMoveCommand);
    QAction *copy = menu->addAction(tr("Copy"));
    connect(copy, &QAction::triggered, this, &ManagerWindow::pcCopyCommand);
    if (PcTree::kindOf(m_pcTree->currentItem()) == PcTree::MyComputer || !m_pcTree->currentItem()) {
        copy->setEnabled(false);
        copy->setToolTip(tr("Select a file or folder to copy"));
    }
    connect(menu->addAction(tr("Delete")), &QAction::triggered, this,
            &ManagerWindow::pcDeleteCommand);
    menu->addSeparator();
    QAction *edit = menu->addAction(tr("Open in editor"));
    connect(edit, &QAction::triggered, this, &ManagerWindow::pcOpenInEditorCommand);
    const QTreeWidgetItem *current = m_pcTree->currentItem();
    if (PcTree::kindOf(current) != PcTree::Entry || !current ||
        !isCoordinateFile(PcTree::composeNodePath(current, false))) {
        edit->setEnabled(false);
        edit->setToolTip(tr("Select a coordinate file (%1) to open it in the editor")
                             .arg(QStringLiteral("*.") +
                                  CoordFileIo::readableExtensions().join(QStringLiteral(", *."))));
    }
    connect(menu->addAction(tr("File Info")), &QAction::triggered, this,
            &ManagerWindow::pcFileInfoCommand);
    return menu;
}

QMenu *ManagerWindow::makeInstrumentMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setToolTipsVisible(true);
    connect(menu->addAction(tr("Move")), &QAction::triggered, this,
            &ManagerWindow::downloadCommand);
    QAction *erase = menu->addAction(tr("Delete"));
    connect(erase, &QAction::triggered, this, &ManagerWindow::eraseCommand);
    if (InstrumentTree::kindOf(m_instrumentTree->currentItem()) ==
        InstrumentTree::MeasurementPoints) {
        // The instrument erases coordinates only: Delete here would erase
        // something other than the line it was chosen on.
        erase->setEnabled(false);
        erase->setToolTip(tr("The instrument cannot erase observations; Delete on FixPoints "
                             "erases the job's coordinates"));
    }
    // A job is copied to the PC by Move or a drag; there is nothing else to copy it to.
    QAction *copy = menu->addAction(tr("Copy"));
    copy->setEnabled(false);
    copy->setToolTip(tr("To copy a job to the PC, use Move or drag it onto a PC folder"));
    menu->addSeparator();
    return menu;
}

void ManagerWindow::onPcContextMenu(const QPoint &pos)
{
    // The command acts on the node that was clicked, so select it first.
    if (QTreeWidgetItem *item = m_pcTree->itemAt(pos))
        m_pcTree->setCurrentItem(item);
    QMenu *menu = makePcMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_pcTree->viewport()->mapToGlobal(pos));
}

void ManagerWindow::onInstrumentContextMenu(const QPoint &pos)
{
    if (QTreeWidgetItem *item = m_instrumentTree->itemAt(pos))
        m_instrumentTree->setCurrentItem(item);
    QMenu *menu = makeInstrumentMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_instrumentTree->viewport()->mapToGlobal(pos));
}

// ---- drag and drop outside the target tree ----

DragTree *ManagerWindow::dropTreeOf(const QMimeData *mime) const
{
    if (m_instrumentTree->isDragFrom(mime))
        return m_pcTree;
    if (m_pcTree->isDragFrom(mime))
        return m_instrumentTree;
    return nullptr;
}

void ManagerWindow::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void ManagerWindow::dragMoveEvent(QDragMoveEvent *event)
{
    // Away from the target tree the highlight cannot change, so the pointer
    // shows at once whether a release here would drop anything.
    const DragTree *tree = dropTreeOf(event->mimeData());
    if (!tree || !tree->dropTarget()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void ManagerWindow::dropEvent(QDropEvent *event)
{
    DragTree *tree = dropTreeOf(event->mimeData());
    if (!tree) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    tree->dropOnTarget();
}

// ---- download ----

void ManagerWindow::downloadCommand()
{
    if (!isPointNode(m_instrumentTree->currentItem()))
        return;
    startDownload();
}

void ManagerWindow::onPcNodeDropped(QTreeWidgetItem *target)
{
    // A drag always starts from the selected node, whose selection set the job values.
    if (!isPointNode(m_instrumentTree->currentItem()))
        return;
    const QString path = PcTree::composeNodePath(target, true);
    m_state.selection.pcPath = path;
    m_pcPath->setText(QDir::toNativeSeparators(path));
    startDownload();
}

void ManagerWindow::startDownload()
{
    if (!engine().prepareDownload()) {
        // The tree may still show the jobs of a connection that has gone.
        Messages::show(this, tr("Connect to the instrument first: double-click the port."),
                       Messages::Kind::Warning);
        return;
    }
    DownloadDialog dialog(
        m_state, [this](const DownloadRequest &r) { return confirmDownload(r); }, this);
    Q_EMIT downloadDialogOpened(&dialog);
    if (dialog.exec() == QDialog::Accepted)
        runProgress(m_state.selection.pcPath);
}

QString ManagerWindow::confirmDownload(const DownloadRequest &request)
{
    return engine().startDownload(request);
}

// ---- upload ----

void ManagerWindow::pcMoveCommand()
{
    startUpload(true);
}

void ManagerWindow::onInstrumentNodeDropped(QTreeWidgetItem *target)
{
    InstrumentTree::trackSelection(target, engine().jobTable(), m_state.selection);
    startUpload(false);
}

void ManagerWindow::startUpload(bool strictGsi8)
{
    if (!engine().isIdle())
        return;
    const QString path = m_state.selection.pcPath;
    const UploadReader::Inspection inspection = UploadReader::inspect(path, strictGsi8);
    // Not the instrument's "wrong file" text when the file is not there to be wrong.
    const QString native = QDir::toNativeSeparators(path);
    switch (inspection.check) {
    case UploadReader::FileCheck::NotGsi:
        return;
    case UploadReader::FileCheck::Missing:
        Messages::show(this, tr("%1 does not exist.").arg(native), Messages::Kind::Warning);
        return;
    case UploadReader::FileCheck::NotAFile:
        Messages::show(this, tr("%1 is a folder, not a file to upload.").arg(native),
                       Messages::Kind::Warning);
        return;
    case UploadReader::FileCheck::Unreadable:
        Messages::show(this, tr("Cannot read %1: %2").arg(native, inspection.reason),
                       Messages::Kind::Warning);
        return;
    case UploadReader::FileCheck::WrongFirstLine:
        Messages::show(this, rightFileText() + QLatin1Char('\n') + acceptedFilesText());
        return;
    case UploadReader::FileCheck::Refused:
        Messages::show(
            this,
            tr("%1 cannot be sent: %2").arg(QDir::toNativeSeparators(path), inspection.reason),
            Messages::Kind::Warning);
        return;
    case UploadReader::FileCheck::Accepted:
        break;
    }
    if (!inspection.note.isEmpty())
        Messages::show(this, tr("%1: %2").arg(QDir::toNativeSeparators(path), inspection.note));
    if (!engine().prepareUpload())
        return;
    UploadDialog dialog(
        m_state, engine().jobTable(), [this](const UploadRequest &r) { return confirmUpload(r); },
        this);
    Q_EMIT uploadDialogOpened(&dialog);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    if (confirmed) {
        const UploadRequest r = dialog.request();
        runProgress(r.newJobName.isEmpty() ? engine().jobTable().JobSlotNames.value(r.jobNumber - 1)
                                           : r.newJobName);
    }
}

QString ManagerWindow::confirmUpload(const UploadRequest &request)
{
    const QString refused = engine().startUpload(request);
    if (refused.isEmpty()) {
        m_uploadChoice.jobIndex = request.jobNumber - 1;
        m_uploadChoice.pointsBefore =
            JobTable::leadingCount(engine().jobTable().FixPointCounts.value(request.jobNumber - 1));
        m_uploadChoice.replaced = request.replaceExisting;
    }
    return refused;
}

// ---- erase ----

void ManagerWindow::eraseCommand()
{
    if (!engine().hasDirectory()) {
        // The greyed list of a closed connection is no job to erase.
        if (m_instrumentTree->isStale())
            Messages::show(this,
                           tr("The connection is closed. Double-click %1 to connect, then "
                              "choose the job again.")
                               .arg(m_instrumentTree->portNode()->text(0)),
                           Messages::Kind::Warning);
        return; // no connection has been opened
    }
    const int job = m_state.selection.jobNumber;
    if (job < 1 || job > JobTable::kJobCount) {
        Messages::show(this, tr("Please select a job in the instrument tree first."),
                       Messages::Kind::Warning);
        return;
    }
    const JobTable &jobs = engine().jobTable();
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
    if (!Messages::ask(this, question))
        return;
    const QString refused = engine().erase(job);
    // The engine's reason is a whole sentence in English; a translation may lead in.
    if (!refused.isEmpty())
        Messages::show(this, tr("%1", "the erase was refused for this reason").arg(refused),
                       Messages::Kind::Warning);
}

// ---- PC side ----

void ManagerWindow::pcDeleteCommand()
{
    QTreeWidgetItem *node = m_pcTree->currentItem();
    if (!node)
        return;
    if (PcTree::kindOf(node) != PcTree::Entry) {
        // "My Computer", a drive, "/" or the home folder: never deleted from here.
        Messages::show(this, tr("%1 cannot be deleted.").arg(node->text(0)),
                       Messages::Kind::Warning);
        return;
    }
    const QString path = PcTree::composeNodePath(node, false);
    // A listed folder such as "/home" holds the home folder; it is no drive
    // node, but deleting it would take a drive's contents with it.
    QStringList drives;
    for (int i = 0; i < m_pcTree->myComputerNode()->childCount(); ++i)
        drives << PcTree::composeNodePath(m_pcTree->myComputerNode()->child(i), false);
    if (ProtectedPaths(drives).covers(path)) {
        Messages::show(this, tr("%1 cannot be deleted.").arg(QDir::toNativeSeparators(path)),
                       Messages::Kind::Warning);
        return;
    }
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink()) {
        const int entries = PcFileOps::countEntries(path);
        // One arg() call: a folder named like "a%2" must not take the count.
        if (!Messages::ask(this,
                           tr("Delete the folder %1 and the %2 entries it holds?")
                               .arg(QDir::toNativeSeparators(path), QString::number(entries))))
            return;
    } else if (!Messages::ask(this,
                              tr("Move %1 to the trash?").arg(QDir::toNativeSeparators(path)))) {
        // A file too: one key press must not take it away unasked.
        return;
    }
    // The trash keeps the file for the user to bring back; only where there
    // is none does Delete remove it for good, and then only when the user says so.
    if (!PcFileOps::moveToTrash(path)) {
        if (!Messages::ask(this, tr("There is no trash for %1. Delete it for good? This cannot "
                                    "be undone.")
                                     .arg(QDir::toNativeSeparators(path))))
            return;
        const PcFileOps::DeleteResult result = PcFileOps::deletePath(path);
        if (!result.ok) {
            Messages::show(
                this,
                tr("Could not delete:\n%1")
                    .arg(QDir::toNativeSeparators(result.failed.join(QLatin1Char('\n')))),
                Messages::Kind::Warning);
            return;
        }
    }
    delete node;
}

QString ManagerWindow::acceptedFilesText()
{
    QStringList extensions = CoordFileIo::readableExtensions();
    for (QString &extension : extensions)
        extension.prepend(QLatin1Char('.'));
    return tr("Accepted: a GSI file, or a coordinate file holding points (%1).")
        .arg(extensions.join(QStringLiteral(", ")));
}

void ManagerWindow::pcCopyCommand()
{
    QTreeWidgetItem *node = m_pcTree->currentItem();
    if (!node || PcTree::kindOf(node) == PcTree::MyComputer)
        return;
    const QString path = PcTree::composeNodePath(node, false);
    const QUrl url = QUrl::fromLocalFile(path);
    auto *mime = new QMimeData;
    mime->setUrls({url});
    mime->setText(QDir::toNativeSeparators(path));
    // GNOME's file managers paste only what comes in their own form.
    mime->setData(QStringLiteral("x-special/gnome-copied-files"), "copy\n" + url.toEncoded());
    QGuiApplication::clipboard()->setMimeData(mime);
}

bool ManagerWindow::isCoordinateFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    // As the editor's Open: "POINTS.GSI" is read as "points.gsi".
    return CoordFileIo::isReadable(
        CoordFileIo::formatForExtension(CoordFileIo::extensionOf(path).toLower()));
}

void ManagerWindow::onPcDoubleClicked(QTreeWidgetItem *item)
{
    if (PcTree::kindOf(item) != PcTree::Entry)
        return;
    const QString path = PcTree::composeNodePath(item, false);
    if (isCoordinateFile(path))
        openInEditor(path);
}

void ManagerWindow::pcOpenInEditorCommand()
{
    QTreeWidgetItem *node = m_pcTree->currentItem();
    if (!node || PcTree::kindOf(node) != PcTree::Entry)
        return;
    const QString path = PcTree::composeNodePath(node, false);
    if (isCoordinateFile(path))
        openInEditor(path);
}

void ManagerWindow::openInEditor(const QString &path)
{
    // Beside the manager, not in its place: the connection and the manager
    // stay usable while the file is edited. A child window of the manager,
    // so the manager's own modality does not block it.
    auto *editor = new EditorWindow(this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->setWindowModality(Qt::NonModal);
    Q_EMIT editorOpened(editor);
    editor->show();
    // The editor reports a file it cannot read itself.
    editor->openFile(path);
}

void ManagerWindow::pcFileInfoCommand()
{
    QTreeWidgetItem *node = m_pcTree->currentItem();
    if (!node || PcTree::kindOf(node) == PcTree::MyComputer)
        return;
    const QString path = PcTree::composeNodePath(node, false);
    const QString refusal = PcFileOps::openRefusal(path);
    if (!refusal.isEmpty()) {
        Messages::show(this, refusal, Messages::Kind::Warning);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
