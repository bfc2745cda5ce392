// SPDX-License-Identifier: GPL-3.0-or-later
// Clicks, drags and keys on the editor's grid as the window system delivers
// them: through the window, so a right button also brings its context menu
// event and a second click within the interval becomes a double-click.
#define QTEST_QPA_MOUSE_HANDLING
#include "gui/editor/EditActions.h"
#include "gui/editor/EditorWindow.h"
#include "gui/editor/PointGridView.h"
#include "gui/editor/PointTableModel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/gui/editor/QtPrinters.h"

namespace {

class GridSelectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PointTableModel *model = m_editor.pointModel();
        model->clear();
        for (int i = 0; i < 40; ++i) {
            PointRecord p;
            p.number = QString::number(i + 1);
            p.name = QStringLiteral("P%1").arg(i + 1);
            p.easting = QStringLiteral("%1.000").arg(100 + i);
            p.northing = QStringLiteral("200.000");
            model->append(p);
        }
        m_editor.resize(1100, 500);
        m_editor.show();
        // Shortcuts go to the active window only.
        m_editor.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_editor));
    }

    PointGridView *grid() const { return m_editor.grid(); }
    QWidget *viewport() const { return grid()->viewport(); }
    QPoint centre(int row, int column) const
    {
        return grid()->visualRect(m_editor.pointModel()->index(row, column)).center();
    }
    void click(int row, int column, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(viewport(), button, modifiers, centre(row, column));
    }
    // Through the window this is a click and a second press within the interval.
    void doubleClick(int row, int column)
    {
        QTest::mouseDClick(viewport(), Qt::LeftButton, {}, centre(row, column));
    }
    QString cell(int row, int column) const { return m_editor.pointModel()->cellText(row, column); }
    QList<int> selectedRows() const
    {
        QList<int> rows;
        for (const QModelIndex &index : grid()->selectionModel()->selectedRows())
            rows.append(index.row());
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    EditorWindow m_editor;
};

TEST_F(GridSelectionTest, aClickChoosesTheRowAndTheNextCommandActsOnIt)
{
    // Row 2 (the third) clicked: Ctrl+Del deletes it, not the first row.
    click(2, 1);
    EXPECT_EQ(selectedRows(), QList<int>({2}));
    EXPECT_EQ(grid()->currentIndex().row(), 2);
    QTest::keyClick(grid(), Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(m_editor.pointModel()->rowCount(), 39);
    EXPECT_EQ(cell(0, 1), QStringLiteral("P1"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("P2"));
    EXPECT_EQ(cell(2, 1), QStringLiteral("P4"));

    // A click on a row number chooses that row as well; Insert row goes above it.
    click(5, 0);
    EXPECT_EQ(selectedRows(), QList<int>({5}));
    QTest::keyClick(grid(), Qt::Key_Insert, Qt::ControlModifier);
    ASSERT_EQ(m_editor.pointModel()->rowCount(), 40);
    EXPECT_EQ(cell(5, 1), QString());
    EXPECT_EQ(cell(6, 1), QStringLiteral("P7"));

    // Copy takes the chosen row, tab-separated.
    click(0, 3);
    QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1\tP1\t100.000\t200.000\t\t\n"));
}

TEST_F(GridSelectionTest, dragSelectsARangeAndShiftAndCtrlExtendIt)
{
    QTest::mousePress(viewport(), Qt::LeftButton, {}, centre(3, 2));
    QTest::mouseMove(viewport(), centre(4, 2));
    QTest::mouseMove(viewport(), centre(6, 3));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, centre(6, 3));
    EXPECT_EQ(selectedRows(), QList<int>({3, 4, 5, 6}));
    QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().count(QLatin1Char('\n')), 4);

    click(9, 1, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(selectedRows(), QList<int>({3, 4, 5, 6, 7, 8, 9}));
    click(12, 1, Qt::LeftButton, Qt::ControlModifier);
    click(4, 1, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(selectedRows(), QList<int>({3, 5, 6, 7, 8, 9, 12}));
    QTest::keyClick(grid(), Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(m_editor.pointModel()->rowCount(), 33);
    EXPECT_EQ(cell(3, 1), QStringLiteral("P5"));
    EXPECT_EQ(cell(4, 1), QStringLiteral("P11"));

    // A plain click starts over with the one row.
    click(0, 2);
    EXPECT_EQ(selectedRows(), QList<int>({0}));
}

TEST_F(GridSelectionTest, rightClickChoosesTheRowUnderThePointer)
{
    QSignalSpy menus(grid(), &PointGridView::contextMenuWanted);
    click(1, 1);
    click(7, 2, Qt::RightButton);
    ASSERT_EQ(menus.count(), 1);
    EXPECT_EQ(grid()->chosenRows(), QList<int>({7}));
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *menu = qobject_cast<QMenu *>(widget))
            menu->close();
    }
    // On a row of several chosen, the choice stays for the menu's command.
    click(3, 1);
    click(5, 1, Qt::LeftButton, Qt::ShiftModifier);
    click(4, 1, Qt::RightButton);
    EXPECT_EQ(grid()->chosenRows(), QList<int>({3, 4, 5}));
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *menu = qobject_cast<QMenu *>(widget))
            menu->close();
    }
}

TEST_F(GridSelectionTest, aClickEntersTheTypedTextFirstAndARefusedTextKeepsTheChoice)
{
    doubleClick(2, 2);
    ASSERT_TRUE(grid()->isEditing());
    grid()->cellEdit()->setText(QStringLiteral("555.5"));
    click(8, 0); // even on a row number: the text is entered, then the row chosen
    EXPECT_EQ(cell(2, 2), QStringLiteral("555.5"));
    EXPECT_FALSE(grid()->isEditing());
    EXPECT_EQ(selectedRows(), QList<int>({8}));

    // A text the cell refuses: the box stays with its reason, and neither a
    // click nor a drag moves the choice away from the row being edited.
    doubleClick(4, 3);
    EXPECT_EQ(selectedRows(), QList<int>({4}));
    grid()->cellEdit()->setText(QStringLiteral("12,5"));
    click(10, 1);
    EXPECT_TRUE(grid()->isEditing());
    EXPECT_FALSE(grid()->rejection().isEmpty());
    QTest::mousePress(viewport(), Qt::LeftButton, {}, centre(11, 1));
    QTest::mouseMove(viewport(), centre(14, 1));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, centre(14, 1));
    EXPECT_EQ(selectedRows(), QList<int>({4}));
    EXPECT_EQ(cell(4, 3), QStringLiteral("200.000"));
    // A double-click elsewhere keeps the box and its text where they are.
    doubleClick(15, 2);
    EXPECT_EQ(grid()->editRow(), 4);
    EXPECT_EQ(grid()->cellEdit()->text(), QStringLiteral("12,5"));
    EXPECT_EQ(selectedRows(), QList<int>({4}));
    // Nor does a right-click offer a row command while the text is refused.
    QSignalSpy menus(grid(), &PointGridView::contextMenuWanted);
    click(12, 1, Qt::RightButton);
    EXPECT_EQ(menus.count(), 0);
    EXPECT_EQ(selectedRows(), QList<int>({4}));
}

TEST_F(GridSelectionTest, escapeFirstCancelsTheCellThenClosesTheUnchangedEditor)
{
    doubleClick(1, 1);
    grid()->cellEdit()->setText(QStringLiteral("typed"));
    QTest::keyClick(grid()->cellEdit(), Qt::Key_Escape);
    EXPECT_FALSE(grid()->isEditing());
    EXPECT_EQ(cell(1, 1), QStringLiteral("P2"));
    EXPECT_TRUE(m_editor.isVisible());
    // With nothing changed there is nothing to lose: Escape ends the window.
    ASSERT_FALSE(m_editor.isModified());
    QTest::keyClick(grid(), Qt::Key_Escape);
    EXPECT_FALSE(m_editor.isVisible());
}

} // namespace
