// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/editor/CellCheck.h"

#include <QStyledItemDelegate>

class PointDocument;

// Edits a grid cell in a line edit laid over it. CellCheck decides what a cell
// may hold: Enter writes an accepted text into the document as one undoable
// step and refuses any other with its reason, keeping the editor open; Escape
// drops the typed text. Enter and Escape are answered here so they finish the
// cell instead of reaching the window, where Escape would close it. Losing the
// focus does not end the edit: the grid enters the text on the next press.
class PointCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit PointCellDelegate(PointDocument *document, QObject *parent = nullptr);

    // What the editor's text would go into the cell as, or why it cannot.
    static CellCheck::Outcome check(const QWidget *editor);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

Q_SIGNALS:
    // Enter on a text the cell cannot take.
    void refused(QWidget *editor, const QString &reason);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    PointDocument *m_document;
};
