// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/EditActions.h"

#include "gui/editor/PointDocument.h"
#include "gui/editor/PointGridView.h"
#include "gui/editor/PointTableModel.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QUndoStack>

EditActions::EditActions(PointGridView *grid, QObject *parent)
    : QObject(parent), m_grid(grid), m_undo(new QAction(tr("&Undo"), this)),
      m_redo(new QAction(tr("&Redo"), this)), m_insertRow(new QAction(tr("&Insert row"), this)),
      m_deleteRows(new QAction(tr("&Delete rows"), this)),
      m_copyRows(new QAction(tr("&Copy rows"), this))
{
    QUndoStack *stack = grid->document()->undoStack();
    m_undo->setObjectName(QStringLiteral("undoAction"));
    m_undo->setShortcut(QKeySequence::Undo);
    m_undo->setEnabled(stack->canUndo());
    m_redo->setObjectName(QStringLiteral("redoAction"));
    // Ctrl+Y as on Windows, and the desktop's own redo key where it differs.
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence::Redo});
    m_redo->setEnabled(stack->canRedo());
    m_insertRow->setObjectName(QStringLiteral("insertRowAction"));
    m_insertRow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
    m_insertRow->setToolTip(tr("Insert an empty row above the chosen row"));
    m_deleteRows->setObjectName(QStringLiteral("deleteRowsAction"));
    m_deleteRows->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    m_deleteRows->setToolTip(tr("Delete the chosen rows; Undo brings them back"));

    m_copyRows->setObjectName(QStringLiteral("copyRowsAction"));
    m_copyRows->setShortcut(QKeySequence::Copy);
    m_copyRows->setToolTip(tr("Copy the chosen rows, tab-separated, for a spreadsheet"));

    connect(m_undo, &QAction::triggered, stack, &QUndoStack::undo);
    connect(m_redo, &QAction::triggered, stack, &QUndoStack::redo);
    connect(stack, &QUndoStack::canUndoChanged, m_undo, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, m_redo, &QAction::setEnabled);
    connect(m_insertRow, &QAction::triggered, this, &EditActions::runInsertRow);
    connect(m_deleteRows, &QAction::triggered, this, &EditActions::runDeleteRows);
    connect(m_copyRows, &QAction::triggered, this, &EditActions::runCopyRows);
}

void EditActions::addTo(QMenu *menu) const
{
    menu->addAction(m_undo);
    menu->addAction(m_redo);
    menu->addSeparator();
    menu->addAction(m_insertRow);
    menu->addAction(m_deleteRows);
    menu->addAction(m_copyRows);
}

QMenu *EditActions::contextMenu(QWidget *parent) const
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("gridContextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(m_insertRow);
    menu->addAction(m_deleteRows);
    menu->addAction(m_copyRows);
    menu->addSeparator();
    menu->addAction(m_undo);
    menu->addAction(m_redo);
    return menu;
}

void EditActions::runInsertRow()
{
    const QList<int> rows = m_grid->chosenRows();
    m_grid->insertRow(rows.isEmpty() ? m_grid->pointModel()->rowCount() : rows.constFirst());
}

void EditActions::runDeleteRows()
{
    m_grid->deleteRows(m_grid->chosenRows());
}

QString EditActions::rowsText(const PointGridView *grid)
{
    const PointTableModel *model = grid->pointModel();
    QString text;
    for (int row : grid->chosenRows()) {
        for (int column = 0; column < PointTableModel::kColumnCount; ++column) {
            if (column > 0)
                text += QLatin1Char('\t');
            text += model->cellText(row, column);
        }
        text += QLatin1Char('\n');
    }
    return text;
}

void EditActions::runCopyRows()
{
    const QString text = rowsText(m_grid);
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}
