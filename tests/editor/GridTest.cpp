// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CellEditBox.h"
#include "editor/PointGridView.h"
#include "editor/PointTableModel.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "QtPrinters.h"

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

    PointGridView m_grid;
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
    CellEditBox *box = m_grid.cellEdit();
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

TEST_F(GridTest, singleClicksNeverMoveTheSelection)
{
    doubleClick(4, 0);
    ASSERT_EQ(m_grid.selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(m_grid.selectionModel()->selectedRows().at(0).row(), 4);
    click(7, 2);
    click(8, 0);
    QTest::mousePress(m_grid.viewport(), Qt::LeftButton, {}, centre(9, 1));
    QTest::mouseMove(m_grid.viewport(), centre(12, 1));
    QTest::mouseRelease(m_grid.viewport(), Qt::LeftButton, {}, centre(12, 1));
    ASSERT_EQ(m_grid.selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(m_grid.selectionModel()->selectedRows().at(0).row(), 4);
}

TEST_F(GridTest, numberColumnMarksTheRowAndNeverEdits)
{
    doubleClick(6, 0);
    EXPECT_EQ(m_grid.cellEdit(), nullptr);
    EXPECT_EQ(m_grid.markedRow(), 6);
    EXPECT_EQ(m_grid.pointModel()->markedRow(), 6);
    doubleClick(7, 0);
    EXPECT_EQ(m_grid.pointModel()->markedRow(), 7);

    // While a cell is edited: a click on the number column leaves it open and
    // unwritten; a double-click there leaves the box where it was for good.
    doubleClick(2, 4);
    m_grid.cellEdit()->setText(QStringLiteral("kept?"));
    click(3, 0);
    EXPECT_TRUE(m_grid.isEditing());
    EXPECT_EQ(cell(2, 4), QString());
    doubleClick(3, 0);
    ASSERT_NE(m_grid.cellEdit(), nullptr);
    EXPECT_FALSE(m_grid.cellEdit()->isHidden());
    click(5, 2);
    EXPECT_EQ(cell(2, 4), QString());
}

TEST(GridAppend, codeCellOfTheAppendRowAddsNumberedRows)
{
    PointGridView grid;
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
