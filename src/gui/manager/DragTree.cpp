// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/DragTree.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>

DragTree::DragTree(QWidget *parent) : QTreeWidget(parent)
{
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    setDropIndicatorShown(false);
    // A tree can lose nodes while a drag is over it (a late directory reply
    // rebuilds the job tree): the target must not outlive its node.
    connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &parent, int first, int last) {
                for (QTreeWidgetItem *node = m_dropTarget; node; node = node->parent()) {
                    const QModelIndex index = indexFromItem(node);
                    if (index.parent() == parent && index.row() >= first && index.row() <= last) {
                        m_dropTarget = nullptr;
                        return;
                    }
                }
            });
    connect(model(), &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_dropTarget = nullptr; });
}

DragTree::~DragTree()
{
    // QTreeWidget's destructor clears the model, which would call the handlers
    // above on a tree that is no longer a DragTree.
    disconnect(model(), nullptr, this, nullptr);
}

namespace {
// Names this process and tree, so only a drag of our own is ever accepted.
QByteArray originToken(const DragTree *tree)
{
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(quintptr(tree), 16);
}
} // namespace

QStringList DragTree::mimeTypes() const
{
    return {QString::fromLatin1(kMimeType)};
}

QMimeData *DragTree::mimeData(const QList<QTreeWidgetItem *> &items) const
{
    auto *mime = new QMimeData;
    mime->setData(QString::fromLatin1(kMimeType), originToken(this));
    Q_UNUSED(items); // the dragged node is the current one; the window knows it
    return mime;
}

bool DragTree::canDrag(const QTreeWidgetItem *item)
{
    return item && item->childCount() == 0;
}

bool DragTree::isDragFrom(const QMimeData *mime) const
{
    return mime && mime->hasFormat(QString::fromLatin1(kMimeType)) &&
           mime->data(QString::fromLatin1(kMimeType)) == originToken(this);
}

void DragTree::dropOnTarget()
{
    QTreeWidgetItem *target = m_dropTarget;
    setDropTarget(nullptr);
    if (target)
        Q_EMIT nodeDropped(target);
}

void DragTree::startDrag(Qt::DropActions)
{
    // The node dragged is the selected one, and only a leaf may go.
    QTreeWidgetItem *item = currentItem();
    if (!canDrag(item))
        return;
    if (m_peer)
        m_peer->setDropTarget(nullptr);
    auto *drag = new QDrag(this);
    drag->setMimeData(mimeData({item}));
    const QIcon icon = item->icon(0);
    if (!icon.isNull())
        drag->setPixmap(icon.pixmap(iconSize(), devicePixelRatioF()));
    drag->exec(Qt::CopyAction, Qt::CopyAction);
    if (m_peer)
        m_peer->setDropTarget(nullptr);
}

bool DragTree::fromPeer(const QMimeData *mime) const
{
    return m_peer && m_peer->isDragFrom(mime);
}

void DragTree::setDropTarget(QTreeWidgetItem *item)
{
    if (m_dropTarget == item)
        return;
    if (m_dropTarget)
        m_dropTarget->setData(0, Qt::BackgroundRole, QVariant());
    m_dropTarget = item;
    if (m_dropTarget)
        m_dropTarget->setBackground(0, palette().highlight().color().lighter(160));
}

void DragTree::dragEnterEvent(QDragEnterEvent *event)
{
    if (!fromPeer(event->mimeData())) {
        event->ignore();
        return;
    }
    // The target was cleared when the drag began; coming back into the tree
    // keeps the node highlighted on the way out.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void DragTree::dragMoveEvent(QDragMoveEvent *event)
{
    if (!fromPeer(event->mimeData())) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    QTreeWidgetItem *hit = itemAt(pos);
    // Elsewhere the last accepted node keeps its highlight and stays the target.
    if (hit && acceptsTarget(hit, pos))
        setDropTarget(hit);
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void DragTree::dragLeaveEvent(QDragLeaveEvent *event)
{
    event->accept();
}

void DragTree::dropEvent(QDropEvent *event)
{
    if (!fromPeer(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    dropOnTarget();
}

void DragTree::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        event->accept();
        if (currentItem())
            Q_EMIT deleteRequested();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}
