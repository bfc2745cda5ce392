// SPDX-License-Identifier: GPL-3.0-or-later
// Typing into the grid through its delegate: what reaches the document, and
// what never does.
#include "gui/editor/PointDocument.h"
#include "gui/editor/PointGridView.h"
#include "gui/editor/PointTableModel.h"
#include "tests/gui/editor/QtPrinters.h"

#include <QLineEdit>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

class CellDelegateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 5; ++i) {
            PointRecord p;
            p.number = QString::number(i + 1);
            p.name = QStringLiteral("P%1").arg(i + 1);
            p.easting = QStringLiteral("100.000");
            m_document.model()->append(p);
        }
        m_grid.resize(760, 300);
        m_grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_grid));
    }
    // Opens the cell, puts text in and presses key.
    void type(int row, int column, const QString &text, Qt::Key key)
    {
        m_grid.doubleClickCell(row, column);
        ASSERT_NE(m_grid.cellEdit(), nullptr);
        m_grid.cellEdit()->setText(text);
        QTest::keyClick(m_grid.cellEdit(), key);
    }
    QString cell(int row, int column) const { return m_document.model()->cellText(row, column); }
    int steps() const { return m_document.undoStack()->count(); }

    PointDocument m_document;
    PointGridView m_grid{&m_document};
};

TEST_F(CellDelegateTest, enterCommitsAsOneUndoStepAndAnUnchangedTextAsNone)
{
    type(1, 2, QStringLiteral(" 250.5 "), Qt::Key_Return);
    EXPECT_FALSE(m_grid.isEditing());
    EXPECT_EQ(cell(1, 2), QStringLiteral("250.5"));
    EXPECT_EQ(steps(), 1);
    type(1, 1, QStringLiteral("P2"), Qt::Key_Enter);
    EXPECT_EQ(steps(), 1);
    m_document.undoStack()->undo();
    EXPECT_EQ(cell(1, 2), QStringLiteral("100.000"));
    EXPECT_FALSE(m_document.isModified());
}

TEST_F(CellDelegateTest, escapeDropsTheTypedTextAndLeavesNoStep)
{
    type(2, 1, QStringLiteral("typed"), Qt::Key_Escape);
    EXPECT_FALSE(m_grid.isEditing());
    EXPECT_EQ(m_grid.cellEdit(), nullptr);
    EXPECT_EQ(cell(2, 1), QStringLiteral("P3"));
    EXPECT_EQ(steps(), 0);
    // The grid still edits after a cancel.
    type(2, 1, QStringLiteral("K3"), Qt::Key_Return);
    EXPECT_EQ(cell(2, 1), QStringLiteral("K3"));
}

TEST_F(CellDelegateTest, aRefusedTextIsNeverWrittenWhoeverAsks)
{
    type(3, 3, QStringLiteral("12,5"), Qt::Key_Return);
    EXPECT_TRUE(m_grid.isEditing());
    EXPECT_TRUE(m_grid.rejection().contains(QStringLiteral("decimal point")));
    EXPECT_EQ(m_grid.cellEdit()->text(), QStringLiteral("12,5"));
    EXPECT_FALSE(m_grid.commitEdit());
    EXPECT_EQ(cell(3, 3), QString());
    EXPECT_EQ(steps(), 0);

    // Qt's own view enters an open editor when the current row changes (a
    // click on the plan): a refused text is not written and stays open.
    m_grid.selectionModel()->setCurrentIndex(m_document.model()->index(0, 1),
                                             QItemSelectionModel::ClearAndSelect);
    EXPECT_TRUE(m_grid.isEditing());
    EXPECT_EQ(cell(3, 3), QString());
    EXPECT_EQ(steps(), 0);
    // An accepted one is entered as one step.
    m_grid.cellEdit()->setText(QStringLiteral("12.5"));
    m_grid.selectionModel()->setCurrentIndex(m_document.model()->index(1, 1),
                                             QItemSelectionModel::ClearAndSelect);
    EXPECT_FALSE(m_grid.isEditing());
    EXPECT_EQ(cell(3, 3), QStringLiteral("12.5"));
    EXPECT_EQ(steps(), 1);
}

TEST_F(CellDelegateTest, aFileReadOverAnOpenCellClosesItWithoutWriting)
{
    m_grid.doubleClickCell(0, 1);
    m_grid.cellEdit()->setText(QStringLiteral("typed"));
    m_document.read(QStringLiteral("/nonexistent/file.txt"), CoordFormat::None);
    EXPECT_FALSE(m_grid.isEditing());
    EXPECT_EQ(m_grid.editRow(), -1);
    EXPECT_TRUE(m_grid.commitEdit());
    EXPECT_EQ(steps(), 0);
}

} // namespace
