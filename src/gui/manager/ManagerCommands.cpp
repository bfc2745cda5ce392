// SPDX-License-Identifier: GPL-3.0-or-later
// The manager window's commands: drag and drop between the trees, both
// pop-up menus, the picture buttons and the PC side's file commands. The
// instrument's commands are the controller's.
#include "core/coordfiles/CoordFileIo.h"
#include "core/pcfiles/ProtectedPaths.h"
#include "gui/common/Messages.h"
#include "gui/editor/EditorWindow.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/ManagerWindow.h"
#include "gui/manager/PcFileOps.h"
#include "gui/manager/PcTree.h"

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

void ManagerWindow::connectViews()
{
    ManagerController *c = m_controller.get();
    connect(m_downloadButton, &QPushButton::clicked, c, &ManagerController::download);
    connect(m_eraseButton, &QPushButton::clicked, c, &ManagerController::erase);

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
    connect(m_instrumentTree, &DragTree::deleteRequested, c, &ManagerController::erase);
    connect(m_pcTree, &QTreeWidget::itemDoubleClicked, this, &ManagerWindow::onPcDoubleClicked);
}

QMenu *ManagerWindow::makePcMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setToolTipsVisible(true);
    menu->addAction(action(Command::Upload));
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
    menu->addAction(action(Command::Move));
    QAction *erase = menu->addAction(tr("Delete"));
    connect(erase, &QAction::triggered, m_controller.get(), &ManagerController::erase);
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

void ManagerWindow::onPcNodeDropped(QTreeWidgetItem *target)
{
    const QString path = PcTree::composeNodePath(target, true);
    if (!action(Command::Move)->isEnabled())
        return;
    m_pcPath->setText(QDir::toNativeSeparators(path));
    m_controller->dropOnPcFolder(path);
}

void ManagerWindow::onInstrumentNodeDropped(QTreeWidgetItem *target)
{
    m_controller->dropOnJob(InstrumentTree::kindOf(target), InstrumentTree::slotOf(target),
                            m_instrumentTree->portNode()->text(0));
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
