#pragma once

#include <QTreeWidget>

// The drag and drop the manager's two trees share: a node dragged from one
// tree may be dropped on a node of the other, as a copy, under a private MIME
// type, so neither a file manager nor any other program can take part. The
// node last accepted as target keeps the drop highlight until the drop.
class DragTree : public QTreeWidget
{
    Q_OBJECT
public:
    static constexpr const char *kMimeType = "application/x-rqtcom-tree-node";

    explicit DragTree(QWidget *parent = nullptr);

    // The tree whose nodes may be dropped here (and which takes ours).
    void setDragPeer(DragTree *peer) { m_peer = peer; }
    QTreeWidgetItem *dropTarget() const { return m_dropTarget; }

    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }

Q_SIGNALS:
    // A node of the peer was dropped on target (this tree's node).
    void nodeDropped(QTreeWidgetItem *target);

protected:
    // Which hit counts as a target, and which node may start a drag.
    virtual bool acceptsTarget(QTreeWidgetItem *item, const QPoint &viewportPos) const = 0;
    virtual bool canDrag(QTreeWidgetItem *item) const;

    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool fromPeer(const QMimeData *mime) const;
    void setDropTarget(QTreeWidgetItem *item);

    DragTree *m_peer = nullptr;
    QTreeWidgetItem *m_dropTarget = nullptr;
};
