// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/PointTableModel.h"

#include <QApplication>
#include <QPalette>

namespace {

QVariant alignment(int column)
{
    // Digits line up by their last place, as in a surveyor's field book.
    return QVariant::fromValue(
        (PointTableModel::isNumberColumn(column) ? Qt::AlignRight : Qt::AlignLeft) |
        Qt::AlignVCenter);
}

} // namespace

PointTableModel::PointTableModel(QObject *parent) : QAbstractTableModel(parent)
{
    for (int column = 0; column < kColumnCount; ++column)
        m_headerLabels.append(QString());
}

int PointTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_store.size());
}

int PointTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant PointTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_store.field(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return alignment(index.column());
    case Qt::ForegroundRole:
        if (index.row() == m_markedRow)
            return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant PointTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_headerLabels.value(section);
    if (role == Qt::TextAlignmentRole)
        return alignment(section);
    return QVariant();
}

Qt::ItemFlags PointTableModel::flags(const QModelIndex &index) const
{
    // Cells are edited only through the grid's delegate, which keeps the
    // history; Qt's views are not offered setData.
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void PointTableModel::setHeaderLabels(const QStringList &labels)
{
    for (int column = 0; column < kColumnCount; ++column)
        m_headerLabels[column] = labels.value(column);
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void PointTableModel::clear()
{
    if (m_bulkLoading) {
        m_store.clear();
        m_markedRow = -1;
        return;
    }
    beginResetModel();
    m_store.clear();
    m_markedRow = -1;
    endResetModel();
}

void PointTableModel::append(const PointRecord &point)
{
    if (m_bulkLoading) {
        m_store.append(point);
        return;
    }
    const int row = int(m_store.size());
    beginInsertRows(QModelIndex(), row, row);
    m_store.append(point);
    endInsertRows();
}

void PointTableModel::beginBulkLoad()
{
    if (m_bulkLoading)
        return;
    beginResetModel();
    m_bulkLoading = true;
}

void PointTableModel::endBulkLoad()
{
    if (!m_bulkLoading)
        return;
    m_bulkLoading = false;
    endResetModel();
}

QString PointTableModel::cellText(int row, int column) const
{
    if (row < 0 || row >= m_store.size() || column < 0 || column >= kColumnCount)
        return QString();
    return m_store.field(row, column);
}

void PointTableModel::setCellText(int row, int column, const QString &text)
{
    if (row < 0 || row >= m_store.size() || column < 0 || column >= kColumnCount)
        return;
    m_store.setField(row, column, text);
    const QModelIndex cell = index(row, column);
    Q_EMIT dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
}

void PointTableModel::insertPoint(int row, const PointRecord &point)
{
    row = qBound(0, row, int(m_store.size()));
    beginInsertRows(QModelIndex(), row, row);
    m_store.insert(row, point);
    if (m_markedRow >= row)
        ++m_markedRow;
    endInsertRows();
    numbersMoved(row + 1);
}

void PointTableModel::insertPoints(int row, const QVector<PointRecord> &points)
{
    if (points.isEmpty())
        return;
    row = qBound(0, row, int(m_store.size()));
    beginInsertRows(QModelIndex(), row, row + int(points.size()) - 1);
    m_store.insert(row, points);
    if (m_markedRow >= row)
        m_markedRow += int(points.size());
    endInsertRows();
    numbersMoved(row + int(points.size()));
}

void PointTableModel::removePoints(int row, int count)
{
    if (row < 0 || count <= 0 || row + count > m_store.size())
        return;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_store.remove(row, count);
    if (m_markedRow >= row + count)
        m_markedRow -= count;
    else if (m_markedRow >= row)
        m_markedRow = -1;
    endRemoveRows();
    numbersMoved(row);
}

void PointTableModel::numbersMoved(int firstRow)
{
    // Rows whose number is their position now show another one: one signal
    // for all of them, which views answer with one repaint.
    if (firstRow < m_store.size())
        Q_EMIT dataChanged(index(firstRow, 0), index(int(m_store.size()) - 1, 0),
                           {Qt::DisplayRole, Qt::EditRole});
}

void PointTableModel::setMarkedRow(int row)
{
    if (row == m_markedRow)
        return;
    const int old = m_markedRow;
    m_markedRow = row;
    for (int changed : {old, row}) {
        if (changed >= 0 && changed < m_store.size())
            Q_EMIT dataChanged(index(changed, 0), index(changed, kColumnCount - 1),
                               {Qt::ForegroundRole});
    }
}
