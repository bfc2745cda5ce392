// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/ConversationEngine.h"
#include "core/state/AppState.h"
#include "gui/common/Messages.h"
#include "gui/manager/DownloadDialog.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/ManagerWindow.h"
#include "gui/manager/PcTree.h"
#include "gui/manager/ProgressDialog.h"
#include "gui/manager/UploadDialog.h"
#include "gui/manager/WaitDialog.h"
#include "sim/SimInstrument.h"
#include "tests/gui/manager/ManagerWaits.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WaitFor.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "tests/support/WhenShown.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

int countBelow(const QTreeWidgetItem *node)
{
    int n = 0;
    for (int i = 0; i < node->childCount(); ++i)
        n += 1 + countBelow(node->child(i));
    return n;
}

// The manager over the in-process simulated instrument, timers shortened.
class ManagerConnection : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Messages::setHandler({[this](const QString &t, Messages::Kind) { shown << t; },
                              [](const QString &) {
                                  return true;
                              }});
        QString error;
        ASSERT_TRUE(sim.start(&error)) << error.toStdString();
        options.drives = {folder.path()};
        options.devicePath = sim.slavePath();
        options.engineTickMs = 20;
        options.waitTickMs = 20;
    }
    void TearDown() override { Messages::setHandler({}); }

    // Double-clicks the port root as the user would.
    void doubleClickRoot(ManagerWindow &w, QTreeWidgetItem *root)
    {
        w.show();
        QTreeWidget *tree = w.instrumentTree();
        const QPoint at = tree->visualItemRect(root).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    }

    SimInstrument sim;
    QTemporaryDir folder;
    AppState state;
    ManagerWindow::Options options;
    QStringList shown;
};

TEST_F(ManagerConnection, doubleClickOnTheRootReadsTheDirectoryIntoTheTree)
{
    state.commSettings.PortNumber = 3;
    ManagerWindow w(state, options);
    bool waitClosed = false;
    QObject::connect(&w.controller(), &ManagerController::connecting, &w, [&] {
        QObject::connect(w.waitDialog(), &QDialog::finished, &w,
                         [&](int r) { waitClosed = r == QDialog::Accepted; });
    });
    int waits = 0;
    QObject::connect(&w.controller(), &ManagerController::connecting, &w, [&] { ++waits; });
    // Either root connects on the port; COM1 stands beside COM3 here.
    doubleClickRoot(w, w.instrumentTree()->firstPortNode());
    ASSERT_TRUE(waitFor([&] { return waitClosed; }));
    EXPECT_TRUE(shown.isEmpty()) << shown.join('|').toStdString();
    InstrumentTree *tree = w.instrumentTree();
    EXPECT_EQ(countBelow(tree->portNode()), 52);
    EXPECT_EQ(tree->firstPortNode()->childCount(), 0);
    EXPECT_EQ(tree->jobNode()->text(0), "JOB");
    EXPECT_EQ(tree->slotNode(0)->text(0), "JobList 1:ROAD1");
    EXPECT_EQ(tree->fixPointsNode(0)->text(0), "FixPoints: 25");
    EXPECT_TRUE(tree->measurementPointsNode(0)->text(0).startsWith("MeasurementPoints: "));
    EXPECT_EQ(w.controller().engine().linkMode(), LinkMode::Idle);

    // The job store stays unfolded under the root that was double-clicked.
    EXPECT_TRUE(tree->portNode()->isExpanded());
    EXPECT_TRUE(tree->jobNode()->isExpanded());
    EXPECT_TRUE(tree->slotNode(16)->isExpanded());

    // A second double-click after the directory has been read does nothing.
    EXPECT_TRUE(waitFor([&] { return sim.commands().size() == 33; })); // "a" + 32
    const int commands = int(sim.commands().size());
    doubleClickRoot(w, tree->portNode());
    QCoreApplication::sendPostedEvents(); // where a connection would be started
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(int(sim.commands().size()), commands);
}

TEST_F(ManagerConnection, selectingANodeRecordsTheJob)
{
    state.commSettings.PortNumber = 7;
    ManagerWindow w(state, options);
    ASSERT_TRUE(connectAndWait(w));
    InstrumentTree *tree = w.instrumentTree();
    ASSERT_NE(tree->jobNode(), nullptr);
    const JobTable &jobs = w.controller().engine().jobTable();

    tree->setCurrentItem(tree->fixPointsNode(2));
    EXPECT_EQ(state.selection.jobNumber, 3);
    EXPECT_EQ(state.selection.jobName, jobs.JobNames.at(2));
    EXPECT_EQ(state.selection.countText, jobs.FixPointCounts.at(2));
    EXPECT_EQ(state.selection.dataKind, DataKind::FixPoints);
    EXPECT_EQ(state.selection.portLabel, "COM7");
    EXPECT_EQ(w.instrumentPathField()->text(), tree->fixPointsNode(2)->text(0));

    tree->setCurrentItem(tree->measurementPointsNode(4));
    EXPECT_EQ(state.selection.jobNumber, 5);
    EXPECT_EQ(state.selection.dataKind, DataKind::Observations);
    EXPECT_EQ(state.selection.countText, jobs.MeasurementCounts.at(4));

    state.selection.portLabel = "unchanged";
    tree->setCurrentItem(tree->slotNode(8));
    EXPECT_EQ(state.selection.jobNumber, 9);
    EXPECT_EQ(state.selection.dataKind, DataKind::FixPoints);
    EXPECT_EQ(state.selection.countText, jobs.FixPointCounts.at(8));
    EXPECT_EQ(state.selection.portLabel, "unchanged");

    tree->setCurrentItem(tree->jobNode());
    EXPECT_EQ(state.selection.jobNumber, 9);
    EXPECT_EQ(w.instrumentPathField()->text(), "JOB");
    tree->setCurrentItem(tree->portNode());
    EXPECT_EQ(state.selection.jobNumber, 9);
}

TEST_F(ManagerConnection, silentInstrumentGetsTheFailureMessageAndAnotherTry)
{
    SimInstrument::Options silent;
    silent.silent = true;
    sim.setOptions(silent);
    ManagerWindow w(state, options);
    ASSERT_TRUE(connectAndWait(w)); // until the wait dialog gives up
    EXPECT_EQ(shown, QStringList({"Communication Err,Please Check Port!"}));
    EXPECT_EQ(w.instrumentTree()->portNode()->childCount(), 0);
    EXPECT_EQ(w.controller().engine().linkMode(), LinkMode::Directory);

    // The instrument wakes up: a new double-click connects.
    sim.setOptions({});
    shown.clear();
    ASSERT_TRUE(connectAndWait(w));
    EXPECT_TRUE(waitFor([&] { return w.instrumentTree()->jobNode() != nullptr; }));
    EXPECT_EQ(countBelow(w.instrumentTree()->portNode()), 52);
}

TEST_F(ManagerConnection, cancelClosesThePortAndAllowsANewConnection)
{
    SimInstrument::Options silent;
    silent.silent = true;
    sim.setOptions(silent);
    options.waitTickMs = 1000;
    ManagerWindow w(state, options);
    QObject::connect(&w.controller(), &ManagerController::connecting, &w, [&w] {
        QTimer::singleShot(30, w.waitDialog()->cancelButton(), &QPushButton::click);
    });
    ASSERT_TRUE(connectAndWait(w));
    // Closed at once, not at some later tick.
    EXPECT_FALSE(w.controller().engine().isConnected());
    EXPECT_EQ(w.controller().engine().linkMode(), LinkMode::Directory);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(ManagerConnection, lostLinkClosesTheWaitDialogWithAMessage)
{
    SimInstrument::Options silent;
    silent.silent = true;
    sim.setOptions(silent);
    options.waitTickMs = 1000; // the loss, not the time-out, must close it
    ManagerWindow w(state, options);
    QObject::connect(&w.controller(), &ManagerController::connecting, &w,
                     [this] { QTimer::singleShot(50, &sim, &SimInstrument::vanish); });
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(connectAndWait(w));
    EXPECT_LT(clock.elapsed(), 5000);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().contains("lost")) << shown.first().toStdString();
    EXPECT_EQ(w.controller().engine().linkMode(), LinkMode::Directory);
}

TEST_F(ManagerConnection, portThatCannotOpenIsReportedWithoutWaiting)
{
    options.devicePath = folder.filePath("no-such-tty");
    ManagerWindow w(state, options);
    bool waited = false;
    QObject::connect(&w.controller(), &ManagerController::connecting, &w, [&] { waited = true; });
    w.controller().connectInstrument();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().startsWith("Open Port Fail!"));
    EXPECT_FALSE(waited);
}

} // namespace

namespace {

TEST_F(ManagerConnection, moveDownloadsTheSelectedJobIntoTheChosenFolderAndListsTheFile)
{
    ManagerWindow w(state, options);
    ASSERT_TRUE(connectAndWait(w));
    ASSERT_NE(w.instrumentTree()->jobNode(), nullptr);
    PcTree *pc = w.pcTree();
    QTreeWidgetItem *drive = pc->myComputerNode()->child(0);
    pc->enumerateFolderNode(drive);
    pc->setCurrentItem(drive);
    w.instrumentTree()->setCurrentItem(w.instrumentTree()->fixPointsNode(0)); // ROAD1, 25

    new WhenShown<DownloadDialog>(
        &w, [](DownloadDialog *d) { QTimer::singleShot(0, d->okButton(), &QPushButton::click); });
    bool progressClosed = false;
    QObject::connect(&w.controller(), &ManagerController::transferStarted, &w, [&] {
        QObject::connect(w.progressDialog(), &QDialog::finished, &w,
                         [&](int r) { progressClosed = r == QDialog::Accepted; });
    });
    w.controller().download();
    ASSERT_TRUE(transferDone(w));
    EXPECT_TRUE(progressClosed);
    const QByteArray bytes = testsupport::readAll(folder.filePath("ROAD1.gsi"));
    EXPECT_EQ(bytes.count("\r\n"), 25);
    EXPECT_TRUE(bytes.startsWith('*'));
    QStringList names;
    for (int i = 0; i < drive->childCount(); ++i)
        names << drive->child(i)->text(0);
    EXPECT_TRUE(names.contains("ROAD1.gsi"));
    EXPECT_TRUE(shown.isEmpty()) << shown.join('|').toStdString();
}

TEST_F(ManagerConnection, eraseAsksNamingTheJobAndRefreshesTheCounts)
{
    ManagerWindow w(state, options);
    w.controller().erase(); // before any connection: nothing
    EXPECT_TRUE(shown.isEmpty());
    ASSERT_TRUE(connectAndWait(w));
    w.controller().erase(); // no job chosen yet
    EXPECT_EQ(shown.size(), 1);
    QStringList asked;
    Messages::setHandler({[this](const QString &t, Messages::Kind) { shown << t; },
                          [&asked](const QString &t) {
                              asked << t;
                              return true;
                          }});
    w.instrumentTree()->setCurrentItem(w.instrumentTree()->slotNode(0));
    w.controller().erase();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked.first().contains("JobList 1:ROAD1")) << asked.first().toStdString();
    EXPECT_TRUE(
        waitFor([&] { return w.instrumentTree()->fixPointsNode(0)->text(0) == "FixPoints: 0"; }));
    EXPECT_TRUE(sim.commands().contains("JOB/ERASE/COORDS/1"));
}

} // namespace

namespace {

// Synthetic drag events as a drag of source's current node would deliver them.
void dragOnto(DragTree *source, QTreeWidget *target, const QList<QPoint> &path,
              QMimeData *mime = nullptr)
{
    std::unique_ptr<QMimeData> data(mime ? mime : source->mimeData({source->currentItem()}));
    QWidget *vp = target->viewport();
    QDragEnterEvent enter(path.first(), Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(vp, &enter);
    for (const QPoint &p : path) {
        QDragMoveEvent move(p, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(vp, &move);
    }
    QDropEvent drop(QPointF(path.last()), Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(vp, &drop);
}

TEST_F(ManagerConnection, dropOfAPointItemOnAFolderOpensTheDownloadForThatFolder)
{
    QDir(folder.path()).mkpath("Data");
    ManagerWindow w(state, options);
    w.show();
    ASSERT_TRUE(connectAndWait(w));
    PcTree *pc = w.pcTree();
    QTreeWidgetItem *drive = pc->myComputerNode()->child(0);
    pc->enumerateFolderNode(drive);
    pc->expandItem(drive);
    pc->setCurrentItem(drive);
    QTreeWidgetItem *data = drive->child(0);
    InstrumentTree *it = w.instrumentTree();
    it->setCurrentItem(it->fixPointsNode(1));

    QString to;
    new WhenShown<DownloadDialog>(&w, [&to](DownloadDialog *d) {
        to = d->toField()->text();
        QTimer::singleShot(0, d->cancelButton(), &QPushButton::click);
    });
    const QRect dataRow = pc->visualItemRect(data);
    const QPoint onIcon(dataRow.left() + 8, dataRow.center().y());
    const QPoint farRight(pc->viewport()->width() - 5, pc->visualItemRect(drive).center().y());
    // Over the blank right of the drive's label nothing moves: Data stays the target.
    dragOnto(it, pc, {onIcon, farRight});
    EXPECT_EQ(to, QDir::toNativeSeparators(folder.path() + "/Data/"));
    EXPECT_EQ(state.selection.pcPath, folder.path() + "/Data/");
    EXPECT_EQ(pc->currentItem(), drive); // the PC selection itself is unchanged

    // A job node has children and starts no drag; a drop without target does nothing.
    to.clear();
    dragOnto(it, pc, {farRight});
    EXPECT_TRUE(to.isEmpty());

    // Another program's drag is refused outright.
    auto *foreign = new QMimeData;
    foreign->setUrls({QUrl::fromLocalFile(folder.filePath("x.gsi"))});
    dragOnto(it, pc, {onIcon}, foreign);
    EXPECT_TRUE(to.isEmpty());
}

} // namespace

TEST_F(ManagerConnection, uploadingAMissingFileOrAFolderSaysSoInsteadOfWrongFile)
{
    ManagerWindow w(state, options);
    ASSERT_TRUE(connectAndWait(w));
    ASSERT_NE(w.instrumentTree()->jobNode(), nullptr);
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("folder.gsi")));
    bool dialogOpened = false;
    new WhenShown<UploadDialog>(&w, [&](UploadDialog *) { dialogOpened = true; });
    state.selection.pcPath = folder.filePath(QStringLiteral("gone.gsi"));
    w.controller().upload(true);
    state.selection.pcPath = folder.filePath(QStringLiteral("folder.gsi"));
    w.controller().upload(true);
    EXPECT_FALSE(dialogOpened);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].contains("does not exist")) << shown[0].toStdString();
    EXPECT_TRUE(shown[1].contains("folder")) << shown[1].toStdString();
    EXPECT_FALSE(shown.join(' ').contains("Sellect"));
}
