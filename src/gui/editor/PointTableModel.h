// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/PointRecord.h"
#include "gui/editor/PointStore.h"

#include <QAbstractTableModel>
#include <QStringList>

// The editor's points as a table model. It is also the sink the core readers
// fill and the source the core writers read, so a file goes straight between
// disk and the grid without an intermediate list.
class PointTableModel : public QAbstractTableModel, public PointSink, public PointSource
{
    Q_OBJECT

public:
    static constexpr int kColumnCount = PointRecord::kFieldCount;

    explicit PointTableModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    void setHeaderLabels(const QStringList &labels);

    // PointSink: outside a bulk load each call tells the views at once.
    void clear() override;
    void append(const PointRecord &point) override;
    // PointSource
    qsizetype pointCount() const override { return m_store.size(); }
    PointRecord point(qsizetype row) const override { return m_store.at(row); }
    bool hasPosition(qsizetype row) const override
    {
        return !m_store.isEmptyField(row, 2) || !m_store.isEmptyField(row, 3);
    }

    // Brackets a file read: the views hear of one reset at the end instead of a
    // million single insertions.
    void beginBulkLoad();
    void endBulkLoad();

    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString &text);
    void insertPoint(int row, const PointRecord &point);
    void insertPoints(int row, const QVector<PointRecord> &points);
    void removePoints(int row, int count);

    // Easting, northing, elevation and the row number are shown right-aligned.
    static bool isNumberColumn(int column) { return column != 1 && column != 5; }

    // The row shown dimmed, as marked by a double-click on its number; -1: none.
    int markedRow() const { return m_markedRow; }
    void setMarkedRow(int row);

private:
    // After rows were added or removed: the numbers from firstRow on may differ.
    void numbersMoved(int firstRow);

    PointStore m_store;
    QStringList m_headerLabels;
    int m_markedRow = -1;
    bool m_bulkLoading = false;
};
