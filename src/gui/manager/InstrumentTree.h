// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/manager/DragTree.h"

struct JobTable;

// The manager's left-hand tree: the port roots and, once the job directory
// has been read, "JOB" with seventeen job slots and their two point nodes.
class InstrumentTree : public DragTree
{
    Q_OBJECT
public:
    enum NodeKind { Root = 1, Job, Slot, FixPoints, MeasurementPoints };
    static constexpr int kKindRole = Qt::UserRole;
    static constexpr int kSlotRole = Qt::UserRole + 1; // 0..16

    explicit InstrumentTree(QWidget *parent = nullptr);

    // "COM1", and "COM<n>" after it when the port is 2..16; the job store
    // always hangs under the last root (PortNode).
    void setRoots(int portNumber);
    QTreeWidgetItem *firstPortNode() const { return m_firstPort; }
    QTreeWidgetItem *portNode() const { return m_port; }
    QTreeWidgetItem *jobNode() const { return m_job; }

    static NodeKind kindOf(const QTreeWidgetItem *node);
    static int slotOf(const QTreeWidgetItem *node);

    // After the opening conversation: the old "JOB" subtree goes and a new one
    // (1 + 17 x 3 nodes) is built under the port root from the job table.
    void buildJobTree(const JobTable &jobs);
    // Removes the "JOB" subtree: the roots alone, as before the first connection.
    void clearJobTree();
    // After a refresh, or a slot named for an upload: texts change, nodes stay.
    void relabel(const JobTable &jobs);
    void relabelSlot(int index, const QString &name);

    QTreeWidgetItem *slotNode(int index) const;
    QTreeWidgetItem *fixPointsNode(int index) const;
    QTreeWidgetItem *measurementPointsNode(int index) const;

    // Every node of the job store shown: after the directory is read or refreshed.
    void expandJobs();

    static QString fixPointsText(const QString &count)
    {
        return QStringLiteral("FixPoints: %1").arg(count);
    }
    static QString measurementPointsText(const QString &count)
    {
        return QStringLiteral("MeasurementPoints: %1").arg(count);
    }
    // "JobList 3:ROAD" as the tree and the upload dialog show a job slot: the
    // engine's label and "<empty>" in the user's language, the instrument's
    // name as it is.
    static QString slotText(const JobTable &jobs, int index);
    static QString slotText(int index, const QString &name);

    // Marks the job store as read by a connection that is closed: greyed, and
    // the "JOB" node says how to connect again. Nothing under it can be chosen
    // or dropped on until buildJobTree() reads the jobs anew.
    void markConnectionClosed();
    bool isStale() const { return m_stale; }

protected:
    bool acceptsTarget(QTreeWidgetItem *item, const QPoint &) const override
    {
        return item && !(m_stale && kindOf(item) != Root);
    }

private:
    QTreeWidgetItem *m_firstPort = nullptr;
    QTreeWidgetItem *m_port = nullptr;
    QTreeWidgetItem *m_job = nullptr;
    bool m_stale = false;
};
