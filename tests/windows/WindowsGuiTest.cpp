// SPDX-License-Identifier: GPL-3.0-or-later
// Windows only: the manager's PC tree on real drives and the editor's Open and
// Save with drive-letter paths, as Windows (or Wine) gives them.

#include "tests/gui/editor/ModalAnswerer.h"
#include "tests/support/TestSupport.h"

#include "core/state/AppState.h"
#include "gui/editor/EditorWindow.h"
#include "gui/editor/PointTableModel.h"
#include "gui/manager/ManagerWindow.h"
#include "gui/manager/PcFileOps.h"
#include "gui/manager/PcTree.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

TEST(WindowsPcTree, theDrivesAreTheRootsAndDeleteRefusesThem)
{
    AppState state;
    ManagerWindow window(state);
    QTreeWidgetItem *myComputer = window.pcTree()->myComputerNode();
    ASSERT_NE(myComputer, nullptr);
    QStringList texts;
    for (int i = 0; i < myComputer->childCount(); ++i)
        texts << myComputer->child(i)->text(0);
    // Wine has C: (its own) and Z: (the Linux root); Windows at least C:.
    ASSERT_TRUE(texts.contains(QStringLiteral("C:\\"))) << qPrintable(texts.join(u' '));

    for (int i = 0; i < myComputer->childCount(); ++i) {
        QTreeWidgetItem *drive = myComputer->child(i);
        SCOPED_TRACE(qPrintable(drive->text(0)));
        EXPECT_EQ(PcTree::kindOf(drive), PcTree::Drive);
        window.pcTree()->setCurrentItem(drive);
        ModalAnswerer answerer;
        answerer.then(answerer.press(QMessageBox::Ok));
        window.pcDeleteCommand();
        EXPECT_TRUE(answerer.allAnswered());
        EXPECT_EQ(myComputer->child(i), drive) << "the drive node stays";
        EXPECT_TRUE(QDir(drive->text(0)).exists());
    }
}

TEST(WindowsEditor, opensAndSavesDriveLetterPathsWithBackslashes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString in = QDir::toNativeSeparators(dir.filePath(QStringLiteral("in.orb")));
    const QString out = QDir::toNativeSeparators(dir.filePath(QStringLiteral("out.orb")));
    ASSERT_EQ(in.at(1), u':');
    ASSERT_TRUE(testsupport::writeAll(in, "1,P1,200.000,100.000,3.000\r\n"));

    EditorWindow editor(0);
    ModalAnswerer answerer;
    answerer.then(ModalAnswerer::chooseFile(in))
        .then(ModalAnswerer::chooseFile(out, QStringLiteral("ORB(*.orb)")));
    ASSERT_TRUE(editor.runOpen());
    ASSERT_GE(editor.pointModel()->rowCount(), 1);
    EXPECT_EQ(editor.pointModel()->index(0, 1).data().toString(), QStringLiteral("P1"));
    ASSERT_TRUE(editor.runSaveAs());
    EXPECT_TRUE(answerer.allAnswered());
    EXPECT_EQ(testsupport::readAll(out), QByteArray("1,P1,200.000,100.000,3.000\r\n"));
}

// PC Delete puts a file into the recycle bin, where the user can bring it back.
TEST(WindowsRecycleBin, deleteMovesTheFileIntoTheRecycleBin)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = QDir::toNativeSeparators(dir.filePath(QStringLiteral("job1.gsi")));
    ASSERT_TRUE(testsupport::writeAll(path, "*110001+0000000000000001 \r\n"));
    if (!PcFileOps::moveToTrash(path)) {
        // Wine keeps no recycle bin for its temporary folder: nothing may be
        // lost then, and the manager asks before it deletes for good.
        EXPECT_TRUE(QFileInfo::exists(path));
        GTEST_SKIP() << "no recycle bin for " << qPrintable(path);
    }
    EXPECT_FALSE(QFileInfo::exists(path));

    // Qt names where the file went; it is there, whole.
    const QString again = QDir::toNativeSeparators(dir.filePath(QStringLiteral("job2.gsi")));
    ASSERT_TRUE(testsupport::writeAll(again, "*110002+0000000000000002 \r\n"));
    QString inBin;
    ASSERT_TRUE(QFile::moveToTrash(again, &inBin));
    EXPECT_FALSE(QFileInfo::exists(again));
    if (!inBin.isEmpty()) {
        EXPECT_EQ(testsupport::readAll(inBin), QByteArray("*110002+0000000000000002 \r\n"))
            << qPrintable(inBin);
    }
}
