// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/PointDocument.h"
#include "gui/editor/PointGridView.h"
#include "gui/editor/PointTableModel.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "tests/gui/editor/QtPrinters.h"

namespace {

class GridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_grid.resize(760, 300);
        for (int i = 0; i < 200; ++i) {
            PointRecord p;
            p.number = QString::number(i + 1);
            p.name = QStringLiteral("P%1").arg(i + 1);
            p.easting = QStringLiteral("100.000");
            m_grid.pointModel()->append(p);
        }
        m_grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_grid));
    }

    QPoint centre(int row, int column) const
    {
        return m_grid.visualRect(m_grid.model()->index(row, column)).center();
    }
    // What the window system delivers for a double-click: a click, then the
    // double-click itself.
    void doubleClick(int row, int column)
    {
        QTest::mouseClick(m_grid.viewport(), Qt::LeftButton, {}, centre(row, column));
        QTest::mouseDClick(m_grid.viewport(), Qt::LeftButton, {}, centre(row, column));
    }
    void click(int row, int column)
    {
        QTest::mouseClick(m_grid.viewport(), Qt::LeftButton, {}, centre(row, column));
    }
    QString cell(int row, int column) const { return m_grid.pointModel()->cellText(row, column); }

    PointDocument m_document;
    PointGridView m_grid{&m_document};
};

TEST_F(GridTest, columnsHaveTheirFixedWidthsAndTheNumberColumnFitsAMillionRows)
{
    const int widths[] = {50, 100, 150, 150, 150, 100};
    for (int column = 1; column < 6; ++column)
        EXPECT_EQ(m_grid.columnWidth(column), widths[column]);
    EXPECT_GE(m_grid.columnWidth(0), 50);
    EXPECT_GT(m_grid.columnWidth(0),
              m_grid.fontMetrics().horizontalAdvance(QStringLiteral("1000000")));
    // Numbers line up on the right, names and codes on the left.
    const auto align = [this](int column) {
        return m_grid.model()->index(0, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    for (int column : {0, 2, 3, 4})
        EXPECT_TRUE(align(column) & Qt::AlignRight);
    for (int column : {1, 5})
        EXPECT_TRUE(align(column) & Qt::AlignLeft);
}

TEST_F(GridTest, doubleClickOpensTheBoxAndTheNextPressCommitsIt)
{
    QSignalSpy committed(&m_grid, &PointGridView::cellCommitted);
    doubleClick(2, 2);
    ASSERT_TRUE(m_grid.isEditing());
    QLineEdit *box = m_grid.cellEdit();
    EXPECT_EQ(box->text(), QStringLiteral("100.000"));
    EXPECT_EQ(box->geometry(), m_grid.visualRect(m_grid.model()->index(2, 2)));
    EXPECT_EQ(box->cursorPosition(), 7); // caret at the end, nothing selected
    EXPECT_FALSE(box->hasSelectedText());
    box->setText(QStringLiteral("250.5"));
    // Moving to another cell by double-click keeps what was typed.
    doubleClick(3, 1);
    EXPECT_EQ(cell(2, 2), QStringLiteral("250.5"));
    ASSERT_EQ(committed.count(), 1);
    EXPECT_EQ(committed.at(0).at(0).toInt(), 2);
    EXPECT_EQ(committed.at(0).at(1).toInt(), 2);
    EXPECT_EQ(m_grid.cellEdit()->text(), QStringLiteral("P4"));
    m_grid.cellEdit()->setText(QString());
    click(5, 4);
    EXPECT_EQ(cell(3, 1), QString()); // the box writes even an emptied text
    EXPECT_FALSE(m_grid.isEditing());
    EXPECT_EQ(m_grid.editRow(), -1);
}

TEST_F(GridTest, scrollOrWheelDropsTheTypedText)
{
    doubleClick(1, 3);
    m_grid.cellEdit()->setText(QStringLiteral("typed"));
    m_grid.verticalScrollBar()->setValue(m_grid.verticalScrollBar()->value() + 3);
    EXPECT_EQ(m_grid.cellEdit(), nullptr);
    click(0, 2); // the next press finds no box and only resets
    EXPECT_EQ(cell(1, 3), QString());
    EXPECT_EQ(m_grid.editRow(), -1);

    m_grid.verticalScrollBar()->setValue(0);
    doubleClick(1, 2);
    m_grid.cellEdit()->setText(QStringLiteral("typed"));
    QWheelEvent wheel(centre(1, 2), m_grid.viewport()->mapToGlobal(centre(1, 2)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_grid.viewport(), &wheel);
    EXPECT_EQ(m_grid.cellEdit(), nullptr);
    EXPECT_EQ(cell(1, 2), QStringLiteral("100.000"));
}

TEST_F(GridTest, enterCommitsAndEscapeCancelsWithoutLeavingTheGrid)
{
    doubleClick(0, 1);
    QTest::keyClicks(m_grid.cellEdit(), QStringLiteral("X"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(m_grid.cellEdit(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(cell(0, 1), QStringLiteral("P1X"));
    EXPECT_FALSE(m_grid.isEditing());

    doubleClick(0, 1);
    QTest::keyClicks(m_grid.cellEdit(), QStringLiteral("Y"));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(m_grid.cellEdit(), &escape);
    EXPECT_TRUE(escape.isAccepted());
    EXPECT_EQ(cell(0, 1), QStringLiteral("P1X"));
    EXPECT_FALSE(m_grid.isEditing());
}

TEST_F(GridTest, aClickChoosesTheRowAndADragARange)
{
    doubleClick(4, 0);
    ASSERT_EQ(m_grid.selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(m_grid.selectionModel()->selectedRows().at(0).row(), 4);
    click(7, 2);
    EXPECT_EQ(m_grid.chosenRows(), QList<int>({7}));
    click(8, 0);
    EXPECT_EQ(m_grid.chosenRows(), QList<int>({8}));
    QTest::mousePress(m_grid.viewport(), Qt::LeftButton, {}, centre(9, 1));
    QTest::mouseMove(m_grid.viewport(), centre(12, 1));
    QTest::mouseRelease(m_grid.viewport(), Qt::LeftButton, {}, centre(12, 1));
    EXPECT_EQ(m_grid.chosenRows(), QList<int>({9, 10, 11, 12}));
    // The same without a mouse.
    m_grid.pressCell(2, 3);
    EXPECT_EQ(m_grid.chosenRows(), QList<int>({2}));
    m_grid.pressCell(4, 3, Qt::ShiftModifier);
    EXPECT_EQ(m_grid.chosenRows(), QList<int>({2, 3, 4}));
    m_grid.pressCell(3, 1, Qt::ControlModifier);
    EXPECT_EQ(m_grid.chosenRows(), QList<int>({2, 4}));
}

TEST_F(GridTest, numberColumnMarksTheRowAndNeverEdits)
{
    doubleClick(6, 0);
    EXPECT_EQ(m_grid.cellEdit(), nullptr);
    EXPECT_EQ(m_grid.markedRow(), 6);
    EXPECT_EQ(m_grid.pointModel()->markedRow(), 6);
    doubleClick(7, 0);
    EXPECT_EQ(m_grid.pointModel()->markedRow(), 7);

    // While a cell is edited, a click on a row number enters the text first;
    // a double-click there then opens nothing.
    doubleClick(2, 1);
    m_grid.cellEdit()->setText(QStringLiteral("entered"));
    click(3, 0);
    EXPECT_FALSE(m_grid.isEditing());
    EXPECT_EQ(cell(2, 1), QStringLiteral("entered"));
    doubleClick(3, 0);
    EXPECT_FALSE(m_grid.isEditing());
    EXPECT_EQ(m_grid.markedRow(), 3);
}

TEST_F(GridTest, rowNumbersFollowInsertsAndDeletesAndTheirUndo)
{
    const auto shown = [this](int row) {
        return m_grid.model()->index(row, 0).data(Qt::DisplayRole).toString();
    };
    QSignalSpy changed(m_grid.model(), &QAbstractItemModel::dataChanged);
    m_grid.insertRow(0);
    ASSERT_EQ(m_grid.model()->rowCount(), 201);
    // The rows below are told of their new numbers in one signal.
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toModelIndex(), m_grid.model()->index(1, 0));
    EXPECT_EQ(changed.at(0).at(1).toModelIndex(), m_grid.model()->index(200, 0));
    for (int row : {0, 1, 2, 3, 200})
        EXPECT_EQ(shown(row), QString::number(row + 1)) << row;
    EXPECT_EQ(cell(1, 1), QStringLiteral("P1"));
    m_grid.deleteRows({1, 2, 50});
    ASSERT_EQ(m_grid.model()->rowCount(), 198);
    EXPECT_EQ(shown(1), QStringLiteral("2"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("P3"));
    EXPECT_EQ(shown(197), QStringLiteral("198"));
    m_document.undoStack()->undo();
    m_document.undoStack()->undo();
    ASSERT_EQ(m_grid.model()->rowCount(), 200);
    for (int row : {0, 1, 49, 199}) {
        EXPECT_EQ(shown(row), QString::number(row + 1)) << row;
        EXPECT_EQ(cell(row, 1), QStringLiteral("P%1").arg(row + 1));
    }
    // What a writer gets carries the number shown.
    m_grid.insertRow(10);
    EXPECT_EQ(m_grid.pointModel()->point(150).number, QStringLiteral("151"));
    EXPECT_EQ(m_grid.pointModel()->point(150).name, QStringLiteral("P150"));
}

TEST(GridNumbers, numbersAFileGaveStayWithTheirPoints)
{
    PointDocument document;
    PointGridView grid(&document);
    for (const char *number : {"101", "102", "3", "", "5"}) {
        PointRecord p;
        p.number = QString::fromLatin1(number);
        p.name = QStringLiteral("N") + p.number;
        grid.pointModel()->append(p);
    }
    grid.insertRow(0);
    PointTableModel *model = grid.pointModel();
    // The numbers that were their rows' positions follow them; the others stay.
    EXPECT_EQ(model->cellText(0, 0), QStringLiteral("1"));
    EXPECT_EQ(model->cellText(1, 0), QStringLiteral("101"));
    EXPECT_EQ(model->cellText(2, 0), QStringLiteral("102"));
    EXPECT_EQ(model->cellText(3, 0), QStringLiteral("4"));
    EXPECT_EQ(model->cellText(4, 0), QString());
    EXPECT_EQ(model->cellText(5, 0), QStringLiteral("6"));
    EXPECT_EQ(model->cellText(5, 1), QStringLiteral("N5"));
}

TEST(GridNumbers, theLastOfAMillionRowsSaysItsNumberAfterAnInsertOrDelete)
{
    constexpr int kRows = 1000000;
    PointDocument document;
    PointGridView grid(&document);
    grid.resize(760, 300);
    PointTableModel *model = grid.pointModel();
    model->beginBulkLoad();
    PointRecord p;
    p.easting = QStringLiteral("1.000");
    for (int i = 0; i < kRows; ++i) {
        p.number = QString::number(i + 1);
        model->append(p);
    }
    model->endBulkLoad();
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.scrollToBottom();

    grid.insertRow(0);
    EXPECT_EQ(model->cellText(kRows, 0), QStringLiteral("1000001"));
    EXPECT_EQ(model->index(kRows, 0).data().toString(), QStringLiteral("1000001"));
    grid.deleteRows({0, 1, 2});
    EXPECT_EQ(model->cellText(kRows - 3, 0), QStringLiteral("999998"));
    EXPECT_EQ(model->cellText(0, 0), QStringLiteral("1"));
}

TEST(GridAppend, codeCellOfTheAppendRowAddsNumberedRows)
{
    PointDocument document;
    PointGridView grid(&document);
    grid.resize(760, 300);
    PointRecord first;
    first.number = QStringLiteral("1");
    grid.pointModel()->append(first);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));

    grid.doubleClickCell(0, 5);
    ASSERT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(grid.pointModel()->cellText(1, 0), QStringLiteral("2"));
    EXPECT_EQ(grid.appendRowIndex(), 1);
    EXPECT_EQ(grid.editRow(), 0);
    EXPECT_EQ(grid.editColumn(), 5);

    grid.doubleClickCell(1, 5);
    ASSERT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.pointModel()->cellText(2, 0), QStringLiteral("3"));

    // Other cells of the row, or the Code cell of an earlier row, add nothing.
    grid.doubleClickCell(2, 4);
    grid.doubleClickCell(0, 5);
    EXPECT_EQ(grid.model()->rowCount(), 3);
}

} // namespace
