// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/PointGridView.h"

#include "gui/editor/CellCheck.h"
#include "gui/editor/CellReasonLabel.h"
#include "gui/editor/PointCellDelegate.h"
#include "gui/editor/PointDocument.h"
#include "gui/editor/PointTableModel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelection>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
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

PointGridView::PointGridView(PointDocument *document, QWidget *parent)
    : QTableView(parent), m_document(document), m_delegate(new PointCellDelegate(document, this))
{
    setModel(document->model());
    setItemDelegate(m_delegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // A click chooses the row under the pointer, a drag or Shift a range, Ctrl
    // one more; the row commands act on the chosen rows.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Editing starts only by the grid's own gestures (doubleClickCell).
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

    PointTableModel *model = document->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &PointGridView::followLastRow);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &PointGridView::followLastRow);
    connect(model, &QAbstractItemModel::modelReset, this, &PointGridView::followLastRow);
    // A reset closes every editor without a word: the typed text means
    // nothing over rows that are gone.
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        m_editor = nullptr;
        m_editCell = QPersistentModelIndex();
        m_editRow = -1;
        m_editColumn = -1;
        showRejection(QString());
    });
    connect(m_delegate, &PointCellDelegate::refused, this, &PointGridView::refuse);
    connect(document, &PointDocument::rowsReplaced, this, &PointGridView::cancelEdit);
}

QSize PointGridView::sizeHint() const
{
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < PointTableModel::kColumnCount; ++column)
        width += columnWidth(column);
    return {width, QTableView::sizeHint().height()};
}

PointTableModel *PointGridView::pointModel() const
{
    return m_document->model();
}

QLineEdit *PointGridView::cellEdit() const
{
    return m_editor && !m_editor->isHidden() ? qobject_cast<QLineEdit *>(m_editor.data()) : nullptr;
}

void PointGridView::followLastRow()
{
    m_appendRowIndex = qMax(0, pointModel()->rowCount() - 1);
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
    row = qBound(0, row, pointModel()->rowCount());
    cancelEdit();
    PointRecord fresh;
    fresh.number = QString::number(row + 1);
    m_document->insertPoint(row, fresh);
    selectionModel()->setCurrentIndex(pointModel()->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect |
                                          QItemSelectionModel::Rows);
}

void PointGridView::deleteRows(const QList<int> &rows)
{
    if (rows.isEmpty())
        return;
    cancelEdit();
    m_document->removeRows(rows);
}

bool PointGridView::isEditing() const
{
    return m_editor && !m_editor->isHidden() && m_editRow >= 0 && m_editColumn >= 1;
}

void PointGridView::doubleClickCell(int row, int column)
{
    PointTableModel *model = pointModel();
    if (row < 0 || row >= model->rowCount() || column < 0 ||
        column >= PointTableModel::kColumnCount)
        return;
    UpdateLock lock(this);
    // An editor still open elsewhere goes with its text, as a scroll drops it.
    dropEditor();
    m_editRow = row;
    m_editColumn = column;

    // Bringing the row into view is not a user's scroll: the edit box moves with
    // the rows instead of being dropped.
    m_keepEditOnScroll = true;
    const QModelIndex cell = model->index(row, column);
    if (column == 0) {
        model->setMarkedRow(row);
        m_markedRow = row;
        scrollTo(cell);
        setFocus(Qt::MouseFocusReason);
    }
    selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
    m_keepEditOnScroll = false;

    if (column >= 1) {
        openEditor(row, column);
        if (column == kCodeColumn && row == m_appendRowIndex) {
            PointRecord added;
            added.number = QString::number(row + 2);
            m_document->insertPoint(row + 1, added);
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
    PointTableModel *model = pointModel();
    const QModelIndex cell = model->index(row, column);
    if (modifiers & Qt::ShiftModifier) {
        const int anchor = currentIndex().isValid() ? currentIndex().row() : row;
        selectionModel()->select(
            QItemSelection(model->index(qMin(anchor, row), 0), model->index(qMax(anchor, row), 0)),
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
    // An editor dropped by a scroll leaves its cell behind until the next press.
    m_editRow = -1;
    m_editColumn = -1;
    return true;
}

bool PointGridView::commitEdit()
{
    if (!isEditing())
        return true;
    QWidget *editor = m_editor;
    const CellCheck::Outcome checked = PointCellDelegate::check(editor);
    if (!checked.accepted) {
        refuse(editor, checked.reason);
        return false;
    }
    UpdateLock lock(this);
    commitData(editor);
    closeCellEditor();
    m_editRow = -1;
    m_editColumn = -1;
    setFocus(Qt::OtherFocusReason);
    return true;
}

void PointGridView::cancelEdit()
{
    closeCellEditor();
    m_editRow = -1;
    m_editColumn = -1;
    setFocus(Qt::OtherFocusReason);
}

void PointGridView::commitData(QWidget *editor)
{
    // Whoever asks (Enter, a press, Save, a new current row), a text the cell
    // refuses is not written.
    if (!PointCellDelegate::check(editor).accepted)
        return;
    QTableView::commitData(editor);
    if (editor == m_editor)
        Q_EMIT cellCommitted(m_editRow, m_editColumn);
}

void PointGridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // Another cell made current (a click on the plan, an arrow key) enters
    // the open cell; a text the cell refuses stays open.
    if (isEditing())
        commitEdit();
    QTableView::currentChanged(current, previous);
}

void PointGridView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Enter and Escape in the editor end here.
    if (editor && editor == m_editor) {
        closeCellEditor();
        m_editRow = -1;
        m_editColumn = -1;
        return;
    }
    QTableView::closeEditor(editor, hint);
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
    dropEditor();
    QTableView::wheelEvent(event);
}

void PointGridView::scrollContentsBy(int dx, int dy)
{
    if (!m_keepEditOnScroll)
        dropEditor();
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
        selectionModel()->setCurrentIndex(pointModel()->index(row, 0),
                                          QItemSelectionModel::ClearAndSelect |
                                              QItemSelectionModel::Rows);
    }
    Q_EMIT contextMenuWanted(event->globalPos());
}

void PointGridView::dropEditor()
{
    // The typed text goes with the editor; the edited row and column stay
    // until the next press finds no editor and resets them.
    closeCellEditor();
}

void PointGridView::openEditor(int row, int column)
{
    showRejection(QString());
    // Opened as the grid's own editor, not by Qt's edit triggers: the model
    // offers no setData, and the grid decides when the cell is entered.
    const QModelIndex cell = pointModel()->index(row, column);
    m_keepEditOnScroll = true;
    openPersistentEditor(cell);
    m_keepEditOnScroll = false;
    m_editor = indexWidget(cell);
    m_editCell = cell;
    if (auto *line = qobject_cast<QLineEdit *>(m_editor.data())) {
        // Typing adds to what the cell holds: the caret at the end, nothing
        // selected (Qt selects an opened line edit's text).
        line->setFocus(Qt::MouseFocusReason);
        line->deselect();
        line->setCursorPosition(int(line->text().size()));
    }
}

void PointGridView::closeCellEditor()
{
    showRejection(QString());
    if (!m_editor)
        return;
    // The grid takes the focus first, so hiding the editor does not hand it
    // to the plan.
    if (m_editor->hasFocus())
        setFocus(Qt::OtherFocusReason);
    m_editor = nullptr;
    const QModelIndex cell = m_editCell;
    m_editCell = QPersistentModelIndex();
    if (cell.isValid())
        closePersistentEditor(cell);
}

void PointGridView::refuse(QWidget *editor, const QString &reason)
{
    showRejection(reason);
    editor->setFocus(Qt::OtherFocusReason);
}

void PointGridView::showRejection(const QString &reason)
{
    m_rejection = reason;
    if (reason.isEmpty()) {
        if (m_reasonLabel)
            m_reasonLabel->hide();
        return;
    }
    if (!m_reasonLabel)
        m_reasonLabel = new CellReasonLabel(viewport());
    m_reasonLabel->showBeside(m_editor ? m_editor->geometry() : QRect(), reason);
}
