// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/PointEditCommands.h"

#include "gui/editor/PointTableModel.h"

#include <QCoreApplication>

#include <algorithm>

CellEditCommand::CellEditCommand(PointTableModel *model, int row, int column, const QString &before,
                                 const QString &after)
    : m_model(model), m_row(row), m_column(column), m_before(before), m_after(after)
{
    setText(QCoreApplication::translate("PointEditCommands", "Edit cell"));
}

void CellEditCommand::undo()
{
    m_model->setCellText(m_row, m_column, m_before);
}

void CellEditCommand::redo()
{
    m_model->setCellText(m_row, m_column, m_after);
}

InsertRowCommand::InsertRowCommand(PointTableModel *model, int row, const PointRecord &point)
    : m_model(model), m_row(row), m_point(point)
{
    setText(QCoreApplication::translate("PointEditCommands", "Insert row"));
}

void InsertRowCommand::undo()
{
    m_model->removePoints(m_row, 1);
}

void InsertRowCommand::redo()
{
    m_model->insertPoint(m_row, m_point);
}

RemoveRowsCommand::RemoveRowsCommand(PointTableModel *model, QList<int> rows)
    : m_model(model), m_rows(std::move(rows))
{
    std::sort(m_rows.begin(), m_rows.end());
    m_rows.erase(std::unique(m_rows.begin(), m_rows.end()), m_rows.end());
    m_points.reserve(m_rows.size());
    for (int row : std::as_const(m_rows))
        m_points.append(m_model->point(row));
    setText(QCoreApplication::translate("PointEditCommands", "Delete rows"));
}

void RemoveRowsCommand::undo()
{
    // Ascending, in runs of neighbouring rows, so each goes back where it stood.
    qsizetype begin = 0;
    while (begin < m_rows.size()) {
        qsizetype end = begin + 1;
        while (end < m_rows.size() && m_rows.at(end) == m_rows.at(end - 1) + 1)
            ++end;
        m_model->insertPoints(m_rows.at(begin), m_points.mid(begin, end - begin));
        begin = end;
    }
}

void RemoveRowsCommand::redo()
{
    // From the end, in runs of neighbouring rows, so earlier indexes stay valid.
    qsizetype end = m_rows.size();
    while (end > 0) {
        qsizetype begin = end - 1;
        while (begin > 0 && m_rows.at(begin - 1) == m_rows.at(begin) - 1)
            --begin;
        m_model->removePoints(m_rows.at(begin), int(end - begin));
        end = begin;
    }
}
