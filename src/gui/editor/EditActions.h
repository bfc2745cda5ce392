// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class PointGridView;
class QAction;
class QMenu;

// The editor's row and history commands, shared by the Edit menu and the
// grid's right-click menu so both offer the same, equally enabled, entries.
class EditActions : public QObject
{
    Q_OBJECT

public:
    explicit EditActions(PointGridView *grid, QObject *parent = nullptr);

    QAction *undo() const { return m_undo; }
    QAction *redo() const { return m_redo; }
    QAction *insertRow() const { return m_insertRow; }
    QAction *deleteRows() const { return m_deleteRows; }
    QAction *copyRows() const { return m_copyRows; }

    // The chosen rows as the clipboard gets them: one line each, the six
    // columns separated by tabs, as spreadsheets paste them.
    static QString rowsText(const PointGridView *grid);

    void addTo(QMenu *menu) const;
    // The right-click menu, deleted when it closes.
    QMenu *contextMenu(QWidget *parent) const;

private:
    void runInsertRow();
    void runDeleteRows();
    void runCopyRows();

    PointGridView *m_grid;
    QAction *m_undo;
    QAction *m_redo;
    QAction *m_insertRow;
    QAction *m_deleteRows;
    QAction *m_copyRows;
};
