#pragma once

#include <QPointer>
#include <QTableView>

#include "CellEditBox.h"

class PointTableModel;

// The editor's grid: a table of points whose cells in columns 1 to 5 are edited
// in place by an edit box laid over the cell. A single click only commits the
// edit in progress (it never moves the selection), a scroll drops it, and a
// double-click on the Code cell of the row at appendRowIndex() adds a row.
class PointGridView : public QTableView
{
    Q_OBJECT

public:
    static constexpr int kColumnWidths[6] = {50, 100, 150, 150, 150, 100};

    explicit PointGridView(QWidget *parent = nullptr);

    PointTableModel *pointModel() const { return m_model; }

    int appendRowIndex() const { return m_appendRowIndex; }
    void setAppendRowIndex(int row) { m_appendRowIndex = row; }

    int editRow() const { return m_editRow; }
    int editColumn() const { return m_editColumn; }
    int markedRow() const { return m_markedRow; }
    // The edit box while it exists (between a double-click and a scroll).
    CellEditBox *cellEdit() const { return m_cellEdit; }
    bool isEditing() const;

    // The same gestures a mouse makes, for the window and for tests.
    void doubleClickCell(int row, int column);
    void pressCell(int row, int column);
    void commitEdit();
    void cancelEdit();

Q_SIGNALS:
    // A typed text was written into a cell.
    void cellCommitted(int row, int column);
    // A row was added by the Code-cell gesture.
    void rowAppended(int row);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void dropEditBox();
    void placeEditBox(int row, int column);
    void writeEditBox();

    PointTableModel *m_model = nullptr;
    QPointer<CellEditBox> m_cellEdit;
    int m_editRow = -1;
    int m_editColumn = -1;
    int m_markedRow = -1;
    int m_appendRowIndex = 0;
    bool m_keepEditOnScroll = false;
};
