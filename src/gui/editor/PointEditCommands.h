// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/PointRecord.h"

#include <QList>
#include <QUndoCommand>
#include <QVector>

class PointTableModel;

// The grid's edits as undoable steps. Each keeps just what it changed, so a
// million-row grid costs nothing extra until rows are deleted.
class CellEditCommand : public QUndoCommand
{
public:
    CellEditCommand(PointTableModel *model, int row, int column, const QString &before,
                    const QString &after);
    void undo() override;
    void redo() override;

private:
    PointTableModel *m_model;
    int m_row;
    int m_column;
    QString m_before;
    QString m_after;
};

class InsertRowCommand : public QUndoCommand
{
public:
    InsertRowCommand(PointTableModel *model, int row, const PointRecord &point);
    void undo() override;
    void redo() override;

private:
    PointTableModel *m_model;
    int m_row;
    PointRecord m_point;
};

class RemoveRowsCommand : public QUndoCommand
{
public:
    // rows: any order, duplicates ignored.
    RemoveRowsCommand(PointTableModel *model, QList<int> rows);
    void undo() override;
    void redo() override;

    int rowCount() const { return int(m_rows.size()); }

private:
    PointTableModel *m_model;
    QList<int> m_rows; // ascending
    QVector<PointRecord> m_points;
};
