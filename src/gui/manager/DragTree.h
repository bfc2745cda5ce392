// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTreeWidget>

// The drag and drop the manager's two trees share: a node dragged from one
// tree may be dropped on a node of the other, as a copy, under a private MIME
// type, so neither a file manager nor any other program can take part. The
// node last accepted as target keeps the drop highlight until the drop, and
// stays the target wherever in the manager window the button is released.
class DragTree : public QTreeWidget
{
    Q_OBJECT
public:
    static constexpr const char *kMimeType = "application/x-rqtcom-tree-node";

    explicit DragTree(QWidget *parent = nullptr);
    ~DragTree() override;

    // The tree whose nodes may be dropped here (and which takes ours).
    void setDragPeer(DragTree *peer) { m_peer = peer; }
    QTreeWidgetItem *dropTarget() const { return m_dropTarget; }

    // Only a leaf may be dragged: a node with children stands for more than
    // one transfer.
    static bool canDrag(const QTreeWidgetItem *item);
    // Whether mime carries a drag that began in this tree.
    bool isDragFrom(const QMimeData *mime) const;
    // Ends a drag of the peer's node as a drop on the highlighted node: used
    // for a release anywhere else in the window. Without a highlighted node
    // nothing is dropped.
    void dropOnTarget();

    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }

Q_SIGNALS:
    // A node of the peer was dropped on target (this tree's node).
    void nodeDropped(QTreeWidgetItem *target);
    // The Delete key on the current node: the tree's Delete command.
    void deleteRequested();

protected:
    // Which hit counts as a target.
    virtual bool acceptsTarget(QTreeWidgetItem *item, const QPoint &viewportPos) const = 0;

    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool fromPeer(const QMimeData *mime) const;
    void setDropTarget(QTreeWidgetItem *item);

    DragTree *m_peer = nullptr;
    QTreeWidgetItem *m_dropTarget = nullptr;
};
