#pragma once

#include <QTreeWidget>

// The manager's left-hand tree: the port roots and, once the job directory
// has been read, "JOB" with seventeen job slots and their two point nodes.
class InstrumentTree : public QTreeWidget
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

private:
    QTreeWidgetItem *m_firstPort = nullptr;
    QTreeWidgetItem *m_port = nullptr;
    QTreeWidgetItem *m_job = nullptr;
};
