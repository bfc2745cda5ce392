// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/InstrumentTree.h"

#include "core/protocol/JobTable.h"
#include "core/state/AppState.h"
#include "gui/common/Pictures.h"

InstrumentTree::InstrumentTree(QWidget *parent) : DragTree(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    // Plain style: levels show by indentation and pictures only.
    setRootIsDecorated(false);
    setStyleSheet(QStringLiteral("QTreeView::branch { image: none; border-image: none; }"));
    setIconSize(Pictures::treeSize());
    setUniformRowHeights(true);
}

void InstrumentTree::setRoots(int portNumber)
{
    clear();
    m_job = nullptr;
    m_firstPort = nullptr;
    const QIcon plug = Pictures::treeIcon(Pictures::Tree::Plug);
    auto *com1 = new QTreeWidgetItem(this, {QStringLiteral("COM1")});
    com1->setIcon(0, plug);
    com1->setData(0, kKindRole, Root);
    m_port = com1;
    if (portNumber >= 2 && portNumber <= 16) {
        m_firstPort = com1;
        m_port = new QTreeWidgetItem(this, {QStringLiteral("COM%1").arg(portNumber)});
        m_port->setIcon(0, plug);
        m_port->setData(0, kKindRole, Root);
    }
}

InstrumentTree::NodeKind InstrumentTree::kindOf(const QTreeWidgetItem *node)
{
    return node ? NodeKind(node->data(0, kKindRole).toInt()) : NodeKind(0);
}

int InstrumentTree::slotOf(const QTreeWidgetItem *node)
{
    return node ? node->data(0, kSlotRole).toInt() : -1;
}

QTreeWidgetItem *InstrumentTree::slotNode(int index) const
{
    return m_job && index >= 0 && index < m_job->childCount() ? m_job->child(index) : nullptr;
}

QTreeWidgetItem *InstrumentTree::fixPointsNode(int index) const
{
    QTreeWidgetItem *slot = slotNode(index);
    return slot ? slot->child(0) : nullptr;
}

QTreeWidgetItem *InstrumentTree::measurementPointsNode(int index) const
{
    QTreeWidgetItem *slot = slotNode(index);
    return slot ? slot->child(1) : nullptr;
}

void InstrumentTree::buildJobTree(const JobTable &jobs)
{
    if (!m_port)
        return;
    if (m_job)
        delete m_job;
    const QIcon folder = Pictures::treeIcon(Pictures::Tree::Folder);
    const QIcon document = Pictures::treeIcon(Pictures::Tree::Document);
    m_stale = false;
    m_job = new QTreeWidgetItem(m_port, {QStringLiteral("JOB")});
    m_job->setIcon(0, folder);
    m_job->setData(0, kKindRole, Job);
    for (int i = 0; i < JobTable::kJobCount; ++i) {
        auto *slot = new QTreeWidgetItem(m_job);
        slot->setIcon(0, folder);
        slot->setData(0, kKindRole, Slot);
        slot->setData(0, kSlotRole, i);
        for (NodeKind kind : {FixPoints, MeasurementPoints}) {
            auto *points = new QTreeWidgetItem(slot);
            points->setIcon(0, document);
            points->setData(0, kKindRole, kind);
            points->setData(0, kSlotRole, i);
        }
    }
    relabel(jobs);
    expandJobs();
}

void InstrumentTree::clearJobTree()
{
    delete m_job;
    m_job = nullptr;
    m_stale = false;
}

void InstrumentTree::markConnectionClosed()
{
    if (!m_job)
        return;
    m_stale = true;
    m_job->setText(0,
                   tr("JOB (connection closed, double-click %1 to connect)").arg(m_port->text(0)));
    const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
    QList<QTreeWidgetItem *> nodes{m_job};
    while (!nodes.isEmpty()) {
        QTreeWidgetItem *node = nodes.takeLast();
        node->setForeground(0, grey);
        // Still enabled, so a double-click on it reaches the window and connects.
        node->setFlags(Qt::ItemIsEnabled);
        for (int i = 0; i < node->childCount(); ++i)
            nodes << node->child(i);
    }
    m_job->setToolTip(0, tr("The counts are those read before the connection closed. "
                            "Double-click the port to read the jobs again."));
}

void InstrumentTree::expandJobs()
{
    // The tree has no expand buttons: show every job with its counts at once
    // (a double-click still folds a node).
    if (!m_job)
        return;
    m_port->setExpanded(true);
    m_job->setExpanded(true);
    for (int i = 0; i < m_job->childCount(); ++i)
        m_job->child(i)->setExpanded(true);
}

void InstrumentTree::relabel(const JobTable &jobs)
{
    for (int i = 0; i < JobTable::kJobCount && slotNode(i); ++i) {
        relabelSlot(i, jobs.JobNames.value(i));
        // The counts keep whatever line end the instrument left in them; it
        // is not shown.
        fixPointsNode(i)->setText(
            0, fixPointsText(JobTable::withoutLineEnd(jobs.FixPointCounts.value(i))));
        measurementPointsNode(i)->setText(
            0, measurementPointsText(JobTable::withoutLineEnd(jobs.MeasurementCounts.value(i))));
    }
}

void InstrumentTree::relabelSlot(int index, const QString &name)
{
    if (QTreeWidgetItem *slot = slotNode(index))
        slot->setText(0, slotText(index, name));
}

QString InstrumentTree::slotText(const JobTable &jobs, int index)
{
    return slotText(index, jobs.JobSlotNames.value(index));
}

QString InstrumentTree::slotText(int index, const QString &name)
{
    const QString shown = JobTable::withoutLineEnd(name);
    // The labels and "<empty>" read the same in both languages.
    return QStringLiteral("JobList %1:").arg(index + 1) +
           (shown == JobTable::emptyName() ? QStringLiteral("<empty>") : shown);
}
