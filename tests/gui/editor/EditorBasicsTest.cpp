// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's everyday commands: where Save writes, undo and redo, row
// commands, checked cells, the Code column and what is remembered.
#include "gui/common/AppSettings.h"
#include "gui/editor/EditActions.h"
#include "gui/editor/EditorWindow.h"
#include "gui/editor/FileDialogs.h"
#include "gui/editor/PointDocument.h"
#include "gui/editor/PointGridView.h"
#include "gui/editor/PointTableModel.h"
#include "tests/gui/editor/ModalAnswerer.h"
#include "tests/gui/editor/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

using testsupport::readAll;
using testsupport::writeAll;

class EditorBasicsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FileDialogs::setNativeDialogsAllowed(false); }
    void SetUp() override
    {
        m_editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_editor));
    }
    void TearDown() override { m_answerer.expectEveryDialogAnswered(); }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString cell(int row, int column) const { return m_editor.pointModel()->cellText(row, column); }
    int rows() const { return m_editor.pointModel()->rowCount(); }
    PointGridView *grid() const { return m_editor.grid(); }
    // Types text into a cell and presses Enter; true when the cell took it.
    bool type(int row, int column, const QString &text)
    {
        grid()->doubleClickCell(row, column);
        grid()->cellEdit()->setText(text);
        QTest::keyClick(grid()->cellEdit(), Qt::Key_Return);
        return !grid()->isEditing();
    }

    ModalAnswerer m_answerer;
    QTemporaryDir m_dir;
    EditorWindow m_editor;
};

TEST_F(EditorBasicsTest, saveAfterSaveAsWritesTheNewFileAndTheTitleFollows)
{
    const QByteArray orb = "1,PT1,200.000,100.000,3.000\r\n";
    writeAll(path("first.orb"), orb);
    ASSERT_TRUE(m_editor.openFile(path("first.orb")));
    EXPECT_EQ(m_editor.windowTitle(), QStringLiteral("first.orb[*] - File Editor"));
    EXPECT_FALSE(m_editor.isWindowModified());

    ASSERT_TRUE(type(0, 1, QStringLiteral("PT9")));
    EXPECT_TRUE(m_editor.isWindowModified());
    ASSERT_TRUE(m_editor.saveAsFile(path("second.dat"), 4));
    EXPECT_EQ(m_editor.currentFilePath(), path("second.dat"));
    EXPECT_EQ(m_editor.windowTitle(), QStringLiteral("second.dat[*] - File Editor"));
    EXPECT_FALSE(m_editor.isWindowModified());

    ASSERT_TRUE(type(0, 4, QStringLiteral("4.5")));
    ASSERT_TRUE(m_editor.runSave());
    EXPECT_EQ(readAll(path("second.dat")), QByteArray("PT9,,100.000,200.000,4.5\r\n"));
    EXPECT_EQ(readAll(path("first.orb")), orb);
}

TEST_F(EditorBasicsTest, saveAfterSaveAsAsGsi8StaysGsi8)
{
    ASSERT_TRUE(type(0, 1, QStringLiteral("P")));
    ASSERT_TRUE(type(0, 2, QStringLiteral("12.345")));
    ASSERT_TRUE(m_editor.saveAsFile(path("eight.gsi"), 2));
    EXPECT_EQ(m_editor.currentFormat(), CoordFormat::Gsi8);
    ASSERT_TRUE(type(0, 3, QStringLiteral("1")));
    ASSERT_TRUE(m_editor.runSave());
    const QByteArray written = readAll(path("eight.gsi"));
    EXPECT_TRUE(written.startsWith("11")) << written.constData();
    EXPECT_TRUE(written.contains("+00001000")) << written.constData();
}

TEST_F(EditorBasicsTest, undoAndRedoTakeBackEditsInsertedAndDeletedRows)
{
    writeAll(path("u.orb"), "1,A,1,2,3\r\n2,B,4,5,6\r\n3,C,7,8,9\r\n4,D,1,1,1\r\n");
    ASSERT_TRUE(m_editor.openFile(path("u.orb")));
    QUndoStack *stack = m_editor.document()->undoStack();
    EditActions *actions = m_editor.editActions();
    EXPECT_FALSE(actions->undo()->isEnabled());

    ASSERT_TRUE(type(1, 1, QStringLiteral("BB")));
    EXPECT_TRUE(actions->undo()->isEnabled());
    EXPECT_TRUE(m_editor.isModified());
    actions->undo()->trigger();
    EXPECT_EQ(cell(1, 1), QStringLiteral("B"));
    EXPECT_FALSE(m_editor.isModified());
    actions->redo()->trigger();
    EXPECT_EQ(cell(1, 1), QStringLiteral("BB"));

    // Rows 1 and 3 (not neighbours) go and come back in place.
    grid()->deleteRows({3, 1});
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(cell(0, 1), QStringLiteral("A"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("C"));
    stack->undo();
    ASSERT_EQ(rows(), 4);
    EXPECT_EQ(cell(1, 1), QStringLiteral("BB"));
    EXPECT_EQ(cell(3, 1), QStringLiteral("D"));
    EXPECT_EQ(cell(3, 2), QStringLiteral("1"));

    grid()->selectionModel()->setCurrentIndex(m_editor.pointModel()->index(2, 0),
                                              QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
    actions->insertRow()->trigger();
    ASSERT_EQ(rows(), 5);
    EXPECT_EQ(cell(2, 0), QStringLiteral("3"));
    EXPECT_EQ(cell(2, 1), QString());
    EXPECT_EQ(cell(3, 1), QStringLiteral("C"));
    // The last row is still where the Code-cell gesture appends.
    EXPECT_EQ(grid()->appendRowIndex(), 4);
    actions->undo()->trigger();
    ASSERT_EQ(rows(), 4);
    actions->undo()->trigger();
    actions->undo()->trigger();
    EXPECT_EQ(cell(1, 1), QStringLiteral("B"));
    EXPECT_FALSE(m_editor.isModified());
}

TEST_F(EditorBasicsTest, refusedCellsStayOpenWithAReason)
{
    struct Case
    {
        int column;
        const char16_t *text;
    };
    for (const Case c : {Case{2, u"12,5"}, Case{3, u"12m"}, Case{4, u"1e3"}, Case{1, u"A,B"},
                         Case{1, u"say \"x\""}, Case{5, u"tab\there"}}) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        EXPECT_FALSE(type(0, c.column, QString::fromUtf16(c.text)));
        EXPECT_TRUE(grid()->isEditing());
        EXPECT_FALSE(grid()->rejection().isEmpty());
        auto *reason = grid()->findChild<QLabel *>(QStringLiteral("cellReason"));
        ASSERT_NE(reason, nullptr);
        EXPECT_TRUE(reason->isVisible());
        EXPECT_EQ(cell(0, c.column), QString());
        grid()->cancelEdit();
        EXPECT_FALSE(reason->isVisible());
    }

    // A comma gets its own hint; accepted numbers lose surrounding blanks.
    EXPECT_FALSE(type(0, 2, QStringLiteral("3,5")));
    EXPECT_TRUE(grid()->rejection().contains(QStringLiteral("decimal point")));
    grid()->cellEdit()->setText(QStringLiteral(" -3.5 "));
    EXPECT_TRUE(grid()->commitEdit());
    EXPECT_EQ(cell(0, 2), QStringLiteral("-3.5"));
    for (const char *ok : {"512345.678", "+.5", "7.", ""})
        EXPECT_TRUE(type(0, 3, QString::fromLatin1(ok))) << ok;
    EXPECT_TRUE(type(0, 1, QStringLiteral("控制点 K1")));

    // Save stops at a refused text instead of writing around it.
    grid()->doubleClickCell(0, 4);
    grid()->cellEdit()->setText(QStringLiteral("abc"));
    EXPECT_FALSE(m_editor.saveAsFile(path("never.orb"), 3));
    EXPECT_FALSE(QFile::exists(path("never.orb")));
    EXPECT_TRUE(grid()->isEditing());
}

TEST_F(EditorBasicsTest, theCodeColumnSurvivesSouthAndIdx)
{
    writeAll(path("c.dat"), "K1,TREE,100.0,200.0,3.0\r\nK2,,101.0,201.0,4.0\r\n");
    ASSERT_TRUE(m_editor.openFile(path("c.dat")));
    EXPECT_EQ(cell(0, 5), QStringLiteral("TREE"));
    ASSERT_TRUE(type(1, 5, QStringLiteral("WALL")));
    ASSERT_TRUE(m_editor.runSave());
    EXPECT_EQ(readAll(path("c.dat")),
              QByteArray("K1,TREE,100.0,200.0,3.0\r\nK2,WALL,101.0,201.0,4.0\r\n"));

    ASSERT_TRUE(m_editor.saveAsFile(path("c.idx"), 6));
    EditorWindow other;
    ASSERT_TRUE(other.openFile(path("c.idx")));
    EXPECT_EQ(other.pointModel()->cellText(0, 5), QStringLiteral("TREE"));
    EXPECT_EQ(other.pointModel()->cellText(1, 5), QStringLiteral("WALL"));

    // ORB has no code field: nothing of it goes there.
    ASSERT_TRUE(m_editor.saveAsFile(path("c.orb"), 3));
    EXPECT_FALSE(readAll(path("c.orb")).contains("TREE"));
}

TEST_F(EditorBasicsTest, theRowAddedByTheCodeCellIsNotWritten)
{
    writeAll(path("a.orb"), "1,A,1,2,3\r\n");
    ASSERT_TRUE(m_editor.openFile(path("a.orb")));
    grid()->doubleClickCell(0, 5); // adds row 2, empty
    ASSERT_EQ(rows(), 2);
    ASSERT_TRUE(grid()->commitEdit());
    ASSERT_TRUE(m_editor.runSave());
    EXPECT_EQ(readAll(path("a.orb")), QByteArray("1,A,1,2,3\r\n"));
}

TEST_F(EditorBasicsTest, rightClickChoosesTheRowAndOffersTheRowCommands)
{
    writeAll(path("m.orb"), "1,A,1,2,3\r\n2,B,4,5,6\r\n3,C,7,8,9\r\n");
    ASSERT_TRUE(m_editor.openFile(path("m.orb")));
    const QRect rowRect = grid()->visualRect(m_editor.pointModel()->index(1, 1));
    QContextMenuEvent event(QContextMenuEvent::Mouse, rowRect.center(),
                            grid()->viewport()->mapToGlobal(rowRect.center()));
    QApplication::sendEvent(grid()->viewport(), &event);
    QMenu *menu = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("gridContextMenu") && widget->isVisible())
            menu = qobject_cast<QMenu *>(widget);
    }
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->actions().contains(m_editor.editActions()->deleteRows()));
    EXPECT_TRUE(menu->actions().contains(m_editor.editActions()->insertRow()));
    EXPECT_EQ(grid()->chosenRows(), QList<int>({1}));
    menu->close();
    m_editor.editActions()->deleteRows()->trigger();
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(cell(1, 1), QStringLiteral("C"));

    // A plain click on a row number chooses that row; Shift extends to another.
    const auto numberCell = [this](int row) {
        return grid()->visualRect(m_editor.pointModel()->index(row, 0)).center();
    };
    grid()->selectionModel()->clearSelection();
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, numberCell(0));
    EXPECT_EQ(grid()->chosenRows(), QList<int>({0}));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::ShiftModifier, numberCell(1));
    EXPECT_EQ(grid()->chosenRows(), QList<int>({0, 1}));
}

TEST_F(EditorBasicsTest, shortcutsAndMnemonicsAreThere)
{
    EXPECT_EQ(m_editor.openAction()->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(m_editor.saveAction()->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(m_editor.editActions()->undo()->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_TRUE(
        m_editor.editActions()->redo()->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    for (QMenu *menu : {m_editor.fileMenu(), m_editor.editMenu(), m_editor.optionsMenu()}) {
        EXPECT_TRUE(menu->title().contains(u'&')) << menu->title().toStdString();
        for (QAction *action : menu->actions())
            EXPECT_TRUE(action->isSeparator() || action->text().contains(u'&'))
                << action->text().toStdString();
    }
    // Ctrl+Z on the grid takes back the last edit.
    ASSERT_TRUE(type(0, 1, QStringLiteral("X")));
    QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(0, 1), QString());
}

TEST_F(EditorBasicsTest, fileDialogsStartInTheCurrentFilesFolder)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("job"));
    writeAll(path("job/p.orb"), "1,A,1,2,3\r\n");
    ASSERT_TRUE(m_editor.openFile(path("job/p.orb")));
    QString seen;
    m_answerer.then([&seen](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        ASSERT_NE(dialog, nullptr);
        seen = dialog->directory().absolutePath();
        dialog->reject();
    });
    EXPECT_FALSE(m_editor.runOpen());
    EXPECT_EQ(seen, QDir(path("job")).absolutePath());

    // A chosen file's folder is remembered for the next run.
    m_answerer.then(ModalAnswerer::chooseFile(path("job/p.orb")));
    EditorWindow fresh;
    ASSERT_TRUE(fresh.runOpen());
    EXPECT_EQ(AppSettings::lastFolder(), QDir(path("job")).absolutePath());
}

TEST(EditorWindowPlace, sizeAndPlaceAreRememberedBetweenRuns)
{
    {
        EditorWindow first;
        first.resize(900, 500);
        first.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&first));
        first.close();
    }
    EditorWindow second;
    EXPECT_EQ(second.size(), QSize(900, 500));
}

} // namespace
