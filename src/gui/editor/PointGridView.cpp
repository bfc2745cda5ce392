// SPDX-License-Identifier: GPL-3.0-or-later
#include "PointGridView.h"

#include "CellCheck.h"
#include "CellEditBox.h"
#include "PointEditCommands.h"
#include "PointTableModel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelection>
#include <QLabel>
#include <QMouseEvent>
#include <QUndoStack>
#include <QWheelEvent>

#include <algorithm>

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
    : QTableView(parent), m_model(new PointTableModel(this)), m_undoStack(new QUndoStack(this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // A click chooses the row under the pointer, a drag or Shift a range, Ctrl
    // one more; the row commands act on the chosen rows.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
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
    // Room for a seven-digit row number: a million-point file stays readable.
    setColumnWidth(
        0, qMax(kColumnWidths[0], fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 8));

    connect(m_model, &QAbstractItemModel::rowsInserted, this, &PointGridView::followLastRow);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &PointGridView::followLastRow);
    connect(m_model, &QAbstractItemModel::modelReset, this, &PointGridView::followLastRow);
}

void PointGridView::followLastRow()
{
    m_appendRowIndex = qMax(0, m_model->rowCount() - 1);
}

QList<int> PointGridView::chosenRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty() && currentIndex().isValid())
        rows.append(currentIndex().row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void PointGridView::insertRow(int row)
{
    row = qBound(0, row, m_model->rowCount());
    cancelEdit();
    PointRecord fresh;
    fresh.number = QString::number(row + 1);
    m_undoStack->push(new InsertRowCommand(m_model, row, fresh));
    selectionModel()->setCurrentIndex(m_model->index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
}

void PointGridView::deleteRows(const QList<int> &rows)
{
    if (rows.isEmpty())
        return;
    cancelEdit();
    m_undoStack->push(new RemoveRowsCommand(m_model, rows));
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
            m_undoStack->push(new InsertRowCommand(m_model, row + 1, added));
            m_appendRowIndex = row + 1;
            Q_EMIT rowAppended(row + 1);
        }
    }
}

void PointGridView::pressCell(int row, int column, Qt::KeyboardModifiers modifiers)
{
    // What a press does before the grid's own selection handling: a typed
    // text is entered first, and a text the cell refuses keeps the box open
    // and the selection where it was.
    if (!enterTypedText())
        return;
    if (row < 0 || column < 0)
        return;
    UpdateLock lock(this);
    const QModelIndex cell = m_model->index(row, column);
    if (modifiers & Qt::ShiftModifier) {
        const int anchor = currentIndex().isValid() ? currentIndex().row() : row;
        selectionModel()->select(QItemSelection(m_model->index(qMin(anchor, row), 0),
                                                m_model->index(qMax(anchor, row), 0)),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
    } else if (modifiers & Qt::ControlModifier) {
        selectionModel()->setCurrentIndex(cell,
                                          QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
    } else {
        selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect |
                                                    QItemSelectionModel::Rows);
    }
}

bool PointGridView::enterTypedText()
{
    if (isEditing())
        return commitEdit();
    // A box dropped by a scroll leaves its cell behind until the next press.
    m_editRow = -1;
    m_editColumn = -1;
    return true;
}

bool PointGridView::commitEdit()
{
    if (!isEditing())
        return true;
    UpdateLock lock(this);
    if (!writeEditBox())
        return false;
    m_editRow = -1;
    m_editColumn = -1;
    setFocus(Qt::OtherFocusReason);
    return true;
}

void PointGridView::cancelEdit()
{
    if (m_cellEdit)
        m_cellEdit->hide();
    showRejection(QString());
    m_editRow = -1;
    m_editColumn = -1;
    setFocus(Qt::OtherFocusReason);
}

void PointGridView::mousePressEvent(QMouseEvent *event)
{
    m_pressRefused = false;
    if (event->button() != Qt::LeftButton) {
        // The context menu event that follows chooses the row under the pointer.
        event->accept();
        return;
    }
    if (!enterTypedText()) {
        // The refused text stays in its box; this press and the drag after it
        // select nothing.
        m_pressRefused = true;
        event->accept();
        return;
    }
    // The list's own press handling: the row under the pointer is chosen,
    // Ctrl adds or removes it, Shift extends to it, and a drag selects a range.
    QTableView::mousePressEvent(event);
}

void PointGridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    // The second press of a double-click comes as this event: a refused text
    // keeps its box here too instead of being dropped for another cell.
    if (event->button() != Qt::LeftButton || !enterTypedText())
        return;
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (hit.isValid())
        doubleClickCell(hit.row(), hit.column());
}

void PointGridView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressRefused && event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void PointGridView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressRefused) {
        m_pressRefused = false;
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
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

void PointGridView::contextMenuEvent(QContextMenuEvent *event)
{
    // A typed text is entered before a row command can act; a refused one
    // keeps its box open and no menu comes.
    event->accept();
    if (!enterTypedText())
        return;
    // The row under the pointer is the one acted on, unless it is one of
    // several already chosen.
    const int row = rowAt(event->pos().y());
    if (row >= 0 && !selectionModel()->isRowSelected(row)) {
        selectionModel()->setCurrentIndex(m_model->index(row, 0),
                                          QItemSelectionModel::ClearAndSelect |
                                              QItemSelectionModel::Rows);
    }
    Q_EMIT contextMenuWanted(event->globalPos());
}

void PointGridView::dropEditBox()
{
    // The typed text goes with the box; the edited row and column stay until
    // the next press finds no box and resets them.
    if (!m_cellEdit)
        return;
    CellEditBox *box = m_cellEdit;
    m_cellEdit = nullptr;
    showRejection(QString());
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
    showRejection(QString());
    m_cellEdit->setText(m_model->cellText(row, column));
    m_cellEdit->setGeometry(visualRect(m_model->index(row, column)));
    m_cellEdit->show();
    m_cellEdit->setFocus(Qt::MouseFocusReason);
    m_cellEdit->setCursorPosition(int(m_cellEdit->text().size()));
    m_cellEdit->deselect();
}

bool PointGridView::writeEditBox()
{
    const CellCheck::Outcome checked = CellCheck::check(m_editColumn, m_cellEdit->text());
    if (!checked.accepted) {
        showRejection(checked.reason);
        m_cellEdit->setFocus(Qt::OtherFocusReason);
        return false;
    }
    showRejection(QString());
    // Hiding the focused box moves the focus, which may scroll the grid and
    // drop the box: the text is taken first.
    m_cellEdit->hide();
    const QString before = m_model->cellText(m_editRow, m_editColumn);
    if (checked.text != before) {
        m_undoStack->push(
            new CellEditCommand(m_model, m_editRow, m_editColumn, before, checked.text));
    }
    Q_EMIT cellCommitted(m_editRow, m_editColumn);
    return true;
}

void PointGridView::showRejection(const QString &reason)
{
    m_rejection = reason;
    if (reason.isEmpty()) {
        if (m_reasonLabel)
            m_reasonLabel->hide();
        return;
    }
    if (!m_reasonLabel) {
        m_reasonLabel = new QLabel(viewport());
        m_reasonLabel->setObjectName(QStringLiteral("cellReason"));
        m_reasonLabel->setForegroundRole(QPalette::ToolTipText);
        m_reasonLabel->setBackgroundRole(QPalette::ToolTipBase);
        m_reasonLabel->setAutoFillBackground(true);
        m_reasonLabel->setFrameShape(QFrame::Box);
        m_reasonLabel->setMargin(2);
    }
    m_reasonLabel->setText(reason);
    m_reasonLabel->adjustSize();
    // Below the box, or above it at the bottom of the grid.
    const QRect box = m_cellEdit ? m_cellEdit->geometry() : QRect();
    QPoint at(box.left(), box.bottom() + 1);
    if (at.y() + m_reasonLabel->height() > viewport()->height())
        at.setY(box.top() - m_reasonLabel->height() - 1);
    at.setX(qBound(0, at.x(), qMax(0, viewport()->width() - m_reasonLabel->width())));
    m_reasonLabel->move(at);
    m_reasonLabel->show();
    m_reasonLabel->raise();
}
