// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/PcTree.h"

#include <QDir>
#include <QFileInfo>

PcTree::PcTree(QWidget *parent) : DragTree(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setIconSize(QSize(16, 16));
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::currentItemChanged, this, &PcTree::onCurrentItemChanged);
    connect(this, &QTreeWidget::itemDoubleClicked, this, &PcTree::onItemDoubleClicked);
    // Opening a folder by its expand arrow lists it as a double-click would.
    connect(this, &QTreeWidget::itemExpanded, this, &PcTree::enumerateFolderNode);
}

QStringList PcTree::platformDrives()
{
    QStringList drives;
#ifdef Q_OS_WIN
    for (const QFileInfo &drive : QDir::drives())
        drives << drive.absoluteFilePath();
#else
    drives << QStringLiteral("/");
    const QString home = QDir::homePath();
    if (home != QLatin1String("/"))
        drives << home;
#endif
    return drives;
}

QTreeWidgetItem *PcTree::fillDrives(const QStringList &drives)
{
    clear();
    m_target = nullptr;
    m_targetPath.clear();
    m_myComputer = new QTreeWidgetItem(this, {myComputerLabel()});
    m_myComputer->setData(0, kKindRole, MyComputer);
    m_myComputer->setIcon(0, m_icons.icon(QFileIconProvider::Computer));
    for (const QString &drive : drives) {
        auto *node = new QTreeWidgetItem(m_myComputer, {QDir::toNativeSeparators(drive)});
        node->setData(0, kKindRole, Drive);
        node->setData(0, kPathRole, QDir::cleanPath(drive));
        node->setIcon(0, m_icons.icon(QFileIconProvider::Drive));
        node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    m_myComputer->setExpanded(true);
    return m_myComputer;
}

PcTree::NodeKind PcTree::kindOf(const QTreeWidgetItem *node)
{
    return node ? NodeKind(node->data(0, kKindRole).toInt()) : Entry;
}

QTreeWidgetItem *PcTree::makeEntry(QTreeWidgetItem *parent, const QString &name,
                                   const QString &path)
{
    const QFileInfo info(path);
    auto *node = new QTreeWidgetItem(parent, {name});
    node->setData(0, kKindRole, Entry);
    node->setData(0, kPathRole, path);
    node->setIcon(0, m_icons.icon(info));
    node->setData(0, kFolderRole, info.isDir());
    if (info.isDir())
        node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    node->setHidden(filteredOut(node));
    return node;
}

bool PcTree::filteredOut(const QTreeWidgetItem *node) const
{
    return !m_filePatterns.isEmpty() && kindOf(node) == Entry &&
           !node->data(0, kFolderRole).toBool() && !QDir::match(m_filePatterns, node->text(0));
}

void PcTree::setFileFilter(const QStringList &patterns)
{
    m_filePatterns = patterns;
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        (*it)->setHidden(filteredOut(*it));
    // A file the filter hides is no longer what the commands act on.
    QTreeWidgetItem *current = currentItem();
    while (current && current->isHidden())
        current = current->parent();
    if (current != currentItem())
        setCurrentItem(current);
}

void PcTree::enumerateFolderNode(QTreeWidgetItem *node)
{
    if (!node || node->childCount() > 0 || kindOf(node) == MyComputer)
        return;
    const QString folder = node->data(0, kPathRole).toString();
    const QDir dir(folder);
    const QFileInfoList entries = QFileInfo(folder).isDir()
                                      ? dir.entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                              QDir::System | QDir::NoDotAndDotDot,
                                                          QDir::Name | QDir::IgnoreCase)
                                      : QFileInfoList();
    for (const QFileInfo &entry : entries)
        makeEntry(node, entry.fileName(), dir.filePath(entry.fileName()));
    node->setData(0, kListedRole, QFileInfo(folder).isDir());
    if (entries.isEmpty())
        node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QString PcTree::composeNodePath(const QTreeWidgetItem *node, bool folderRule)
{
    if (!node)
        return QString();
    if (kindOf(node) == MyComputer)
        return myComputerText();
    QString path = node->data(0, kPathRole).toString();
    if (folderRule && !path.endsWith(QLatin1Char('/')) && QFileInfo(path).isDir())
        path += QLatin1Char('/');
    return path;
}

void PcTree::onCurrentItemChanged(QTreeWidgetItem *current)
{
    if (!current)
        return;
    m_target = current;
    m_targetPath = composeNodePath(current, true);
    Q_EMIT selectionRecorded(m_targetPath);
}

void PcTree::onItemDoubleClicked(QTreeWidgetItem *item)
{
    enumerateFolderNode(item);
}

QTreeWidgetItem *PcTree::findByPath(const QString &path) const
{
    const QString wanted = QDir::cleanPath(path);
    for (QTreeWidgetItemIterator it(const_cast<PcTree *>(this)); *it; ++it) {
        if (kindOf(*it) != MyComputer && (*it)->data(0, kPathRole).toString() == wanted)
            return *it;
    }
    return nullptr;
}

QTreeWidgetItem *PcTree::addFileNode(QTreeWidgetItem *folder, const QString &filePath)
{
    // Only a folder already listed gets the node (an empty one too); an
    // unlisted one shows the file when it is listed.
    if (!folder || (folder->childCount() == 0 && !folder->data(0, kListedRole).toBool()))
        return nullptr;
    const QString path = QDir::cleanPath(filePath);
    QTreeWidgetItem *node = nullptr;
    for (int i = 0; i < folder->childCount() && !node; ++i) {
        if (folder->child(i)->data(0, kPathRole).toString() == path)
            node = folder->child(i);
    }
    if (!node)
        node = makeEntry(folder, QFileInfo(path).fileName(), path);
    // The file the user has just downloaded shows whatever the filter says.
    node->setHidden(false);
    return node;
}

bool PcTree::acceptsTarget(QTreeWidgetItem *item, const QPoint &viewportPos) const
{
    const QRect row = visualItemRect(item);
    const int iconWidth = item->icon(0).isNull() ? 0 : iconSize().width() + 4;
    const int textWidth = fontMetrics().horizontalAdvance(item->text(0)) + 8;
    return viewportPos.x() >= row.left() && viewportPos.x() <= row.left() + iconWidth + textWidth;
}
