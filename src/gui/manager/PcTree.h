// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/manager/DragTree.h"

#include <QFileIconProvider>

// The manager's right-hand tree: "My Computer", its drives (the logical
// drives on Windows; "/" and the home folder elsewhere) and, listed on
// demand, folders and files. Every node keeps its absolute path, so a path
// never depends on how deep the node sits or on what its label says.
class PcTree : public DragTree
{
    Q_OBJECT
public:
    enum NodeKind { MyComputer = 1, Drive, Entry };
    static constexpr int kPathRole = Qt::UserRole;
    static constexpr int kKindRole = Qt::UserRole + 1;
    static constexpr int kListedRole = Qt::UserRole + 2;
    static constexpr int kFolderRole = Qt::UserRole + 3;

    explicit PcTree(QWidget *parent = nullptr);

    // The root's path (composeNodePath) and, in the user's language, its label.
    static QString myComputerText() { return QStringLiteral("My Computer"); }
    static QString myComputerLabel() { return QStringLiteral("My Computer"); }
    // Drive paths in the platform's order, each ending with "/".
    static QStringList platformDrives();

    // Builds "My Computer" with one child per drive; returns the root.
    QTreeWidgetItem *fillDrives(const QStringList &drives);
    QTreeWidgetItem *myComputerNode() const { return m_myComputer; }

    // Lists the node's folder unless it already has children. Every entry is
    // listed, hidden ones and names without a dot included.
    void enumerateFolderNode(QTreeWidgetItem *node);

    // "My Computer" for the root; otherwise the node's absolute path. With the
    // folder rule a folder's path ends with "/" so a file name can follow.
    static QString composeNodePath(const QTreeWidgetItem *node, bool folderRule);
    static NodeKind kindOf(const QTreeWidgetItem *node);

    // The node last selected (PcTargetNode) and its path with the folder rule.
    QTreeWidgetItem *targetNode() const { return m_target; }
    QString targetPath() const { return m_targetPath; }

    // Adds a child for a file that a download created in a listed folder,
    // unless one is already there.
    QTreeWidgetItem *addFileNode(QTreeWidgetItem *folder, const QString &filePath);
    QTreeWidgetItem *findByPath(const QString &path) const;

    // Wildcard patterns ("*.gsi") of the files to show, compared without
    // regard to case; folders always show. Empty: every file.
    void setFileFilter(const QStringList &patterns);
    QStringList fileFilter() const { return m_filePatterns; }

Q_SIGNALS:
    // The selection record changed: the path to show and store as PcPath.
    void selectionRecorded(const QString &path);

protected:
    // A download needs a folder under the pointer: only a hit on a node's
    // icon or label counts, not the indentation or the blank beside it.
    bool acceptsTarget(QTreeWidgetItem *item, const QPoint &viewportPos) const override;

private:
    void onCurrentItemChanged(QTreeWidgetItem *current);
    void onItemDoubleClicked(QTreeWidgetItem *item);
    QTreeWidgetItem *makeEntry(QTreeWidgetItem *parent, const QString &name, const QString &path);
    bool filteredOut(const QTreeWidgetItem *node) const;

    QFileIconProvider m_icons;
    QTreeWidgetItem *m_myComputer = nullptr;
    QTreeWidgetItem *m_target = nullptr;
    QString m_targetPath;
    QStringList m_filePatterns;
};
