// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QTableView>

class CellReasonLabel;
class PointCellDelegate;
class PointDocument;
class PointTableModel;
class QLineEdit;

// The editor's grid: a view of the document's points whose cells in columns 1
// to 5 are edited in place through PointCellDelegate. A click enters the edit
// in progress and then selects as in any grid (rows, a range by dragging), a
// scroll drops the edit, and a double-click on the Code cell of the row at
// appendRowIndex() adds a row.
// Every change goes through the document's undo stack; a typed text the cell
// cannot take keeps the editor open with the reason beside it.
class PointGridView : public QTableView
{
    Q_OBJECT

public:
    static constexpr int kColumnWidths[6] = {50, 100, 150, 150, 150, 100};

    explicit PointGridView(PointDocument *document, QWidget *parent = nullptr);

    PointDocument *document() const { return m_document; }
    // Wide enough for every column at its width.
    QSize sizeHint() const override;
    PointTableModel *pointModel() const;

    // Follows the last row: rows added or removed move it there.
    int appendRowIndex() const { return m_appendRowIndex; }
    void setAppendRowIndex(int row) { m_appendRowIndex = row; }

    // Rows chosen for a row command: the selected rows, else the current one.
    QList<int> chosenRows() const;
    // A fresh row (number row + 1, nothing else) at row; undoable.
    void insertRow(int row);
    // Undoable; does nothing for an empty list.
    void deleteRows(const QList<int> &rows);
    // The reason the editor's text was refused; empty when it was not.
    QString rejection() const { return m_rejection; }

    int editRow() const { return m_editRow; }
    int editColumn() const { return m_editColumn; }
    int markedRow() const { return m_markedRow; }
    // The cell's editor while it is open (between a double-click and a scroll).
    QLineEdit *cellEdit() const;
    bool isEditing() const;

    // The same gestures a mouse makes, for the window and for tests.
    void doubleClickCell(int row, int column);
    // A press without the mouse: enters the typed text, then chooses the row
    // as a click with these modifiers does.
    void pressCell(int row, int column, Qt::KeyboardModifiers modifiers = {});
    // False when the typed text was refused: the editor stays open with the reason.
    bool commitEdit();
    void cancelEdit();

Q_SIGNALS:
    // A typed text was written into a cell.
    void cellCommitted(int row, int column);
    // A row was added by the Code-cell gesture.
    void rowAppended(int row);
    // A right-click, after the row under the pointer was chosen.
    void contextMenuWanted(const QPoint &globalPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

protected Q_SLOTS:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // Before a press acts: commits a running edit (false: refused, the editor
    // stays) or forgets the cell of a dropped editor.
    bool enterTypedText();
    void dropEditor();
    void openEditor(int row, int column);
    void closeCellEditor();
    void refuse(QWidget *editor, const QString &reason);
    void showRejection(const QString &reason);
    void followLastRow();

    PointDocument *m_document;
    PointCellDelegate *m_delegate;
    CellReasonLabel *m_reasonLabel = nullptr;
    QString m_rejection;
    QPointer<QWidget> m_editor;
    QPersistentModelIndex m_editCell;
    int m_editRow = -1;
    int m_editColumn = -1;
    int m_markedRow = -1;
    int m_appendRowIndex = 0;
    bool m_keepEditOnScroll = false;
    bool m_pressRefused = false;
};
