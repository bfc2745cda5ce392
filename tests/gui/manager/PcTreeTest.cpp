// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/PcTree.h"
#include "core/protocol/JobTable.h"
#include "core/state/AppState.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/ManagerWindow.h"

#include <QDir>
#include <QDragMoveEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

ManagerWindow::Options withDrive(const QString &drive)
{
    ManagerWindow::Options options;
    options.drives = {drive};
    return options;
}

void touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

QStringList childTexts(const QTreeWidgetItem *node)
{
    QStringList out;
    for (int i = 0; i < node->childCount(); ++i)
        out << node->child(i)->text(0);
    return out;
}

QTreeWidgetItem *childNamed(QTreeWidgetItem *node, const QString &name)
{
    for (int i = 0; i < node->childCount(); ++i)
        if (node->child(i)->text(0) == name)
            return node->child(i);
    return nullptr;
}

class PcTreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        root = m_dir.path();
        touch(root + "/job1.gsi");
        touch(root + "/.hidden");
        touch(root + "/README");
        QDir(root).mkpath("Data/A/B");
        QDir(root).mkpath("empty");
        touch(root + "/Data/points.GSI");
        tree.fillDrives({root});
        drive = tree.myComputerNode()->child(0);
    }
    QTemporaryDir m_dir;
    QString root;
    PcTree tree;
    QTreeWidgetItem *drive = nullptr;
};

TEST_F(PcTreeTest, listingIsUnfilteredAndHappensOnce)
{
    tree.enumerateFolderNode(drive);
    EXPECT_EQ(childTexts(drive), QStringList({".hidden", "Data", "empty", "job1.gsi", "README"}));
    tree.enumerateFolderNode(drive);
    EXPECT_EQ(drive->childCount(), 5);

    QTreeWidgetItem *empty = childNamed(drive, "empty");
    tree.enumerateFolderNode(empty);
    EXPECT_EQ(empty->childCount(), 0);
    QTreeWidgetItem *file = childNamed(drive, "job1.gsi");
    tree.enumerateFolderNode(file);
    EXPECT_EQ(file->childCount(), 0);
    // An empty folder is listed again later and picks up what appeared since.
    touch(root + "/empty/new.gsi");
    tree.enumerateFolderNode(empty);
    EXPECT_EQ(childTexts(empty), QStringList({"new.gsi"}));
}

TEST_F(PcTreeTest, pathsAreAbsoluteWithATrailingSlashForFolders)
{
    EXPECT_EQ(PcTree::composeNodePath(tree.myComputerNode(), true), "My Computer");
    EXPECT_EQ(PcTree::composeNodePath(drive, true), root + "/");
    tree.enumerateFolderNode(drive);
    QTreeWidgetItem *data = childNamed(drive, "Data");
    EXPECT_EQ(PcTree::composeNodePath(data, true), root + "/Data/");
    EXPECT_EQ(PcTree::composeNodePath(data, false), root + "/Data");
    EXPECT_EQ(PcTree::composeNodePath(childNamed(drive, "job1.gsi"), true), root + "/job1.gsi");
    tree.enumerateFolderNode(data);
    EXPECT_EQ(PcTree::composeNodePath(childNamed(data, "points.GSI"), true),
              root + "/Data/points.GSI");
}

TEST_F(PcTreeTest, deepFoldersKeepTheirPaths)
{
    QString deep = root;
    for (int i = 0; i < 12; ++i)
        deep += QStringLiteral("/L%1").arg(i);
    ASSERT_TRUE(QDir().mkpath(deep));
    touch(deep + "/end.gsi");
    QTreeWidgetItem *node = drive;
    for (int i = 0; i < 12; ++i) {
        tree.enumerateFolderNode(node);
        node = childNamed(node, QStringLiteral("L%1").arg(i));
        ASSERT_NE(node, nullptr);
    }
    tree.enumerateFolderNode(node);
    EXPECT_EQ(PcTree::composeNodePath(childNamed(node, "end.gsi"), true), deep + "/end.gsi");
}

TEST_F(PcTreeTest, doubleClickListsAndExpands)
{
    tree.show();
    tree.expandItem(tree.myComputerNode());
    const QRect r = tree.visualItemRect(drive);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(drive->childCount(), 5);
    EXPECT_TRUE(drive->isExpanded());
}

TEST(PcTreeSelection, selectionRecordsPathAndNodeAndShowsIt)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Data");
    touch(dir.path() + "/Data/job1.gsi");
    AppState state;
    ManagerWindow w(state, withDrive(dir.path()));
    PcTree *tree = w.pcTree();
    QTreeWidgetItem *drive = tree->myComputerNode()->child(0);
    tree->enumerateFolderNode(drive);
    QTreeWidgetItem *data = childNamed(drive, "Data");
    tree->setCurrentItem(data);
    EXPECT_EQ(state.selection.pcPath, dir.path() + "/Data/");
    EXPECT_EQ(tree->targetNode(), data);
    EXPECT_EQ(w.pcPathField()->text(), QDir::toNativeSeparators(dir.path() + "/Data/"));
    tree->enumerateFolderNode(data);
    tree->setCurrentItem(childNamed(data, "job1.gsi"));
    EXPECT_EQ(state.selection.pcPath, dir.path() + "/Data/job1.gsi");
    tree->setCurrentItem(tree->myComputerNode());
    EXPECT_EQ(state.selection.pcPath, "My Computer");
}

TEST_F(PcTreeTest, aReceivedFileGetsOneNodeInAListedFolder)
{
    tree.enumerateFolderNode(drive);
    touch(root + "/new.gsi");
    QTreeWidgetItem *added = tree.addFileNode(drive, root + "/new.gsi");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->text(0), "new.gsi");
    EXPECT_EQ(tree.addFileNode(drive, root + "/new.gsi"), added);
    EXPECT_EQ(drive->childCount(), 6);
    QTreeWidgetItem *data = childNamed(drive, "Data");
    EXPECT_EQ(tree.addFileNode(data, root + "/Data/other.gsi"), nullptr); // not listed yet
}

TEST(DragTargets, aHighlightedNodeThatIsDeletedIsNoLongerTheDropTarget)
{
    // The job tree is rebuilt when a late directory reply arrives, which can
    // happen while a file is dragged over it.
    PcTree pc;
    InstrumentTree instrument;
    pc.setDragPeer(&instrument);
    instrument.setDragPeer(&pc);
    instrument.setRoots(5);
    instrument.buildJobTree(JobTable());
    instrument.resize(300, 600);
    instrument.show();
    pc.fillDrives({QDir::tempPath()});
    pc.setCurrentItem(pc.myComputerNode()->child(0));

    std::unique_ptr<QMimeData> mime(pc.mimeData({pc.currentItem()}));
    const QPoint onSlot = instrument.visualItemRect(instrument.slotNode(2)).center();
    QDragEnterEvent enter(onSlot, Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(instrument.viewport(), &enter);
    QDragMoveEvent move(onSlot, Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(instrument.viewport(), &move);
    ASSERT_EQ(instrument.dropTarget(), instrument.slotNode(2));

    instrument.buildJobTree(JobTable());
    EXPECT_EQ(instrument.dropTarget(), nullptr);
    instrument.dropOnTarget(); // must not touch the deleted node

    QTreeWidgetItem *drive = pc.myComputerNode()->child(0);
    std::unique_ptr<QMimeData> fromInstrument(instrument.mimeData({instrument.fixPointsNode(0)}));
    pc.resize(300, 300);
    pc.show();
    const QRect row = pc.visualItemRect(drive);
    const QPoint onIcon(row.left() + 8, row.center().y());
    QDragEnterEvent enterPc(onIcon, Qt::CopyAction, fromInstrument.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(pc.viewport(), &enterPc);
    QDragMoveEvent movePc(onIcon, Qt::CopyAction, fromInstrument.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(pc.viewport(), &movePc);
    ASSERT_EQ(pc.dropTarget(), drive);
    pc.fillDrives({QDir::tempPath()});
    EXPECT_EQ(pc.dropTarget(), nullptr);
}

} // namespace
