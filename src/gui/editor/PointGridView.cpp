#include "PointGridView.h"

#include "CellEditBox.h"
#include "PointTableModel.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {

constexpr int kCodeColumn = 5;

// Drawing is switched off while a gesture changes several things at once and
// switched back on with one repaint. Qt's backing store already paints through
// an off-screen buffer, which is what keeps the grid free of flicker.
class UpdateLock
{
public:
    explicit UpdateLock(QAbstractItemView *view) : m_view(view)
    {
        m_view->setUpdatesEnabled(false);
    }
    ~UpdateLock()
    {
        m_view->setUpdatesEnabled(true);
        m_view->viewport()->update();
    }

private:
    QAbstractItemView *m_view;
};

} // namespace

PointGridView::PointGridView(QWidget *parent)
    : QTableView(parent), m_model(new PointTableModel(this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // List-control density: one line of text with a little air, not the
    // style's roomy default, so more points fit on screen.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    for (int column = 0; column < PointTableModel::kColumnCount; ++column)
        setColumnWidth(column, kColumnWidths[column]);
}

bool PointGridView::isEditing() const
{
    return m_cellEdit && !m_cellEdit->isHidden() && m_editRow >= 0 && m_editColumn >= 1;
}

void PointGridView::doubleClickCell(int row, int column)
{
    if (row < 0 || row >= m_model->rowCount() || column < 0 ||
        column >= PointTableModel::kColumnCount)
        return;
    UpdateLock lock(this);
    m_editRow = row;
    m_editColumn = column;

    // Bringing the row into view is not a user's scroll: the edit box moves with
    // the rows instead of being dropped.
    m_keepEditOnScroll = true;
    const QModelIndex cell = m_model->index(row, column);
    if (column == 0) {
        m_model->setMarkedRow(row);
        m_markedRow = row;
        scrollTo(cell);
        setFocus(Qt::MouseFocusReason);
    }
    selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
    m_keepEditOnScroll = false;

    if (column >= 1) {
        placeEditBox(row, column);
        if (column == kCodeColumn && row == m_appendRowIndex) {
            PointRecord added;
            added.number = QString::number(row + 2);
            m_model->insertPoint(row + 1, added);
            ++m_appendRowIndex;
            Q_EMIT rowAppended(row + 1);
        }
    }
}

void PointGridView::pressCell(int row, int column)
{
    Q_UNUSED(row);
    UpdateLock lock(this);
    if (m_editColumn >= 1 && column >= 1) {
        if (m_cellEdit && m_editRow != -1)
            writeEditBox();
        m_editRow = -1;
        m_editColumn = -1;
    }
}

void PointGridView::commitEdit()
{
    if (!isEditing())
        return;
    UpdateLock lock(this);
    writeEditBox();
    m_editRow = -1;
    m_editColumn = -1;
    setFocus(Qt::OtherFocusReason);
}

void PointGridView::cancelEdit()
{
    if (m_cellEdit)
        m_cellEdit->hide();
    m_editRow = -1;
    m_editColumn = -1;
    setFocus(Qt::OtherFocusReason);
}

void PointGridView::mousePressEvent(QMouseEvent *event)
{
    // The list's own press handling (selection, focus) is replaced on purpose.
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    pressCell(rowAt(pos.y()), columnAt(pos.x()));
}

void PointGridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (hit.isValid())
        doubleClickCell(hit.row(), hit.column());
}

void PointGridView::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging with a button held would otherwise select rows.
    if (event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void PointGridView::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void PointGridView::wheelEvent(QWheelEvent *event)
{
    dropEditBox();
    QTableView::wheelEvent(event);
}

void PointGridView::scrollContentsBy(int dx, int dy)
{
    if (!m_keepEditOnScroll)
        dropEditBox();
    QTableView::scrollContentsBy(dx, dy);
}

void PointGridView::dropEditBox()
{
    // The typed text goes with the box; the edited row and column stay until
    // the next press finds no box and resets them.
    if (!m_cellEdit)
        return;
    CellEditBox *box = m_cellEdit;
    m_cellEdit = nullptr;
    box->hide();
    box->deleteLater();
}

void PointGridView::placeEditBox(int row, int column)
{
    if (!m_cellEdit) {
        m_cellEdit = new CellEditBox(viewport());
        m_cellEdit->hide();
        connect(m_cellEdit, &CellEditBox::commitRequested, this, &PointGridView::commitEdit);
        connect(m_cellEdit, &CellEditBox::cancelRequested, this, &PointGridView::cancelEdit);
    }
    m_cellEdit->setText(m_model->cellText(row, column));
    m_cellEdit->setGeometry(visualRect(m_model->index(row, column)));
    m_cellEdit->show();
    m_cellEdit->setFocus(Qt::MouseFocusReason);
    m_cellEdit->setCursorPosition(int(m_cellEdit->text().size()));
    m_cellEdit->deselect();
}

void PointGridView::writeEditBox()
{
    // Hiding the focused box moves the focus, which may scroll the grid and
    // drop the box: take its text first.
    const QString text = m_cellEdit->text();
    m_cellEdit->hide();
    m_model->setCellText(m_editRow, m_editColumn, text);
    Q_EMIT cellCommitted(m_editRow, m_editColumn);
}
