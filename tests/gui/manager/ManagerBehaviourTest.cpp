// SPDX-License-Identifier: GPL-3.0-or-later
// What the manager does around a connection: cancelling from its dialogs, one
// message per event, the job tree and the field above it after a refresh,
// Enter and Escape. Against the in-process simulated instrument.

#include "core/protocol/ConversationEngine.h"
#include "core/state/AppState.h"
#include "gui/common/Messages.h"
#include "gui/manager/DownloadDialog.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/ManagerWindow.h"
#include "gui/manager/PcTree.h"
#include "gui/manager/ProgressDialog.h"
#include "gui/manager/WaitDialog.h"
#include "sim/SimInstrument.h"
#include "tests/gui/manager/ManagerWaits.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WaitFor.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "tests/support/WhenShown.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

class ManagerBehaviour : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Messages::setHandler({[this](const QString &t, Messages::Kind) { shown << t; },
                              [this](const QString &t) {
                                  asked << t;
                                  return answer;
                              }});
        QString error;
        ASSERT_TRUE(sim.start(&error)) << error.toStdString();
        options.drives = {folder.path()};
        options.devicePath = sim.slavePath();
        options.engineTickMs = 20;
        // Patience only costs time when the instrument stays silent.
        options.waitTickMs = 500;
    }
    void TearDown() override { Messages::setHandler({}); }

    // Move of job 1's coordinates (ROAD1, 25 lines) into the drive, OK at once.
    void download(ManagerWindow &w)
    {
        PcTree *pc = w.pcTree();
        QTreeWidgetItem *drive = pc->myComputerNode()->child(0);
        pc->enumerateFolderNode(drive);
        pc->setCurrentItem(drive);
        w.instrumentTree()->setCurrentItem(w.instrumentTree()->fixPointsNode(0));
        auto *ok = new WhenShown<DownloadDialog>(&w, [](DownloadDialog *d) {
            QTimer::singleShot(0, d->okButton(), &QPushButton::click);
        });
        w.controller().download();
        delete ok;
        EXPECT_TRUE(transferDone(w));
    }

    // Counts what w sends, for settle().
    void countCommands(ManagerWindow &w)
    {
        QObject::connect(&w.controller().engine(), &ConversationEngine::commandSent, &w,
                         [this] { ++sent; });
    }

    // Waits until the instrument has read every command and written every
    // reply, as it has long before a person's next click; the next opening of
    // the port then discards what a closed one left unread.
    void settle()
    {
        ASSERT_TRUE(waitFor([&] { return sim.commands().size() == sent && sim.isQuiet(); }));
    }

    QStringList filesLeft() const
    {
        return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    SimInstrument sim;
    QTemporaryDir folder;
    AppState state;
    ManagerWindow::Options options;
    QStringList shown;
    QStringList asked;
    bool answer = true;
    qsizetype sent = 0;
};

// The wait dialog used to look at the conversation once a second: a CANCEL
// in that second after the directory was read left the port open, the next
// download's first tick closed it and the user's OK was refused. A CANCEL
// that reaches the dialog before the directory is in now closes the port at
// once; one that comes after finds the dialog gone. Either way the next
// download works, after connecting again where the port was closed.
TEST_F(ManagerBehaviour, cancelAroundTheEndOfTheDirectoryLeavesNoHalfOpenPort)
{
    constexpr int kDirectoryReplies = 32; // the last one completes the directory
    for (const bool beforeTheLastReply : {true, false}) {
        SCOPED_TRACE(beforeTheLastReply ? "click before the last reply" : "click after it");
        QFile::remove(folder.filePath("ROAD1.gsi"));
        shown.clear();
        options.waitTickMs = 1000;
        ManagerWindow w(state, options);
        countCommands(w);
        bool clicked = false;
        QObject::connect(&w.controller(), &ManagerController::connecting, &w, [&] {
            WaitDialog *d = w.waitDialog();
            QPointer<WaitDialog> dialog(d);
            auto click = [dialog, &clicked] {
                // The user's click, queued behind what has just arrived.
                QTimer::singleShot(0, [dialog, &clicked] {
                    if (dialog && dialog->isVisible()) {
                        clicked = true;
                        dialog->cancelButton()->click();
                    }
                });
            };
            auto replies = std::make_shared<int>(0);
            QObject::connect(&w.controller().engine(), &ConversationEngine::replyReceived, d,
                             [=](const QByteArray &) {
                                 if (++*replies == kDirectoryReplies - 1 && beforeTheLastReply)
                                     click();
                             });
            QObject::connect(&w.controller().engine(), &ConversationEngine::jobTableChanged, d,
                             [=] {
                                 if (!beforeTheLastReply)
                                     click();
                             });
        });
        ASSERT_TRUE(connectAndWait(w));
        QObject::disconnect(&w.controller(), &ManagerController::connecting, nullptr, nullptr);
        EXPECT_EQ(clicked, beforeTheLastReply);
        if (beforeTheLastReply) {
            // Cancelled: closed at once, and nothing left to close it later.
            EXPECT_FALSE(w.controller().engine().isConnected());
            EXPECT_EQ(w.instrumentTree()->jobNode(), nullptr); // none had been read
            settle();
            ASSERT_TRUE(connectAndWait(w));
        }
        ASSERT_NE(w.instrumentTree()->jobNode(), nullptr);
        ASSERT_TRUE(w.controller().engine().isIdle());

        download(w);
        EXPECT_TRUE(shown.isEmpty()) << shown.join('|').toStdString();
        EXPECT_EQ(testsupport::readAll(folder.filePath("ROAD1.gsi")).count("\r\n"), 25);
        EXPECT_TRUE(w.controller().engine().isConnected());
        settle();
    }
}

TEST_F(ManagerBehaviour, cancelInTheProgressDialogStopsTheDownloadAndLeavesNoFile)
{
    SimInstrument::Options slow;
    slow.baud = 2400; // 25 lines take seconds
    sim.setOptions(slow);
    ManagerWindow w(state, options);
    countCommands(w);
    ASSERT_TRUE(connectAndWait(w));
    ASSERT_NE(w.instrumentTree()->jobNode(), nullptr);
    int progressSeen = 0;
    bool cancelled = false;
    QObject::connect(&w.controller(), &ManagerController::transferStarted, &w, [&] {
        ProgressDialog *p = w.progressDialog();
        QObject::connect(&w.controller().engine(), &ConversationEngine::progress, p,
                         [&, p](int done) {
                             progressSeen = std::max(progressSeen, done);
                             if (done == 2 && !cancelled) {
                                 cancelled = true;
                                 QTimer::singleShot(0, p->cancelButton(), &QPushButton::click);
                             }
                         });
    });
    download(w); // returns when the progress dialog has closed
    EXPECT_EQ(progressSeen, 2);
    EXPECT_FALSE(w.controller().engine().isConnected());
    // The job list stays in sight, greyed, saying how to connect again.
    ASSERT_NE(w.instrumentTree()->jobNode(), nullptr);
    EXPECT_TRUE(w.instrumentTree()->isStale());
    EXPECT_TRUE(w.instrumentTree()->jobNode()->text(0).contains("connection closed"))
        << w.instrumentTree()->jobNode()->text(0).toStdString();
    EXPECT_EQ(w.instrumentPathField()->text(), w.instrumentTree()->portNode()->text(0));
    EXPECT_TRUE(filesLeft().isEmpty()) << filesLeft().join(' ').toStdString();
    ASSERT_EQ(shown.size(), 1) << shown.join('|').toStdString();
    EXPECT_TRUE(shown.first().contains("cancelled")) << shown.first().toStdString();
    EXPECT_TRUE(shown.first().contains("nothing was saved")) << shown.first().toStdString();

    // Nothing else arrives later, and a new connection downloads in full.
    settle();
    sim.setOptions({});
    shown.clear();
    ASSERT_TRUE(connectAndWait(w));
    ASSERT_TRUE(w.controller().engine().isIdle()) << shown.join('|').toStdString();
    download(w);
    EXPECT_TRUE(shown.isEmpty()) << shown.join('|').toStdString();
    EXPECT_EQ(testsupport::readAll(folder.filePath("ROAD1.gsi")).count("\r\n"), 25);
}

TEST_F(ManagerBehaviour, instrumentPulledOutMidDownloadGivesOneMessageAboutTheFile)
{
    ManagerWindow w(state, options);
    countCommands(w);
    ASSERT_TRUE(connectAndWait(w));
    ASSERT_NE(w.instrumentTree()->jobNode(), nullptr);
    SimInstrument::Options vanishing;
    // The opening conversation's 33 replies, "a", "c", FORM/SET/0, the request, three lines.
    vanishing.vanishAfter = 33 + 4 + 3;
    sim.setOptions(vanishing);
    download(w);
    ASSERT_EQ(shown.size(), 1) << shown.join('|').toStdString();
    EXPECT_TRUE(shown.first().contains("lost")) << shown.first().toStdString();
    EXPECT_TRUE(shown.first().contains("nothing was saved")) << shown.first().toStdString();
    EXPECT_TRUE(filesLeft().isEmpty()) << filesLeft().join(' ').toStdString();
    EXPECT_FALSE(w.controller().engine().isConnected());
}

TEST_F(ManagerBehaviour, fieldAboveTheTreeFollowsTheSelectedNodeAfterARefresh)
{
    ManagerWindow w(state, options);
    countCommands(w);
    w.show();
    ASSERT_TRUE(connectAndWait(w));
    InstrumentTree *tree = w.instrumentTree();
    tree->setCurrentItem(tree->fixPointsNode(0));
    ASSERT_EQ(w.instrumentPathField()->text(), "FixPoints: 25");
    w.controller().erase();
    ASSERT_TRUE(waitFor([&] { return tree->fixPointsNode(0)->text(0) == "FixPoints: 0"; }));
    EXPECT_EQ(w.instrumentPathField()->text(), "FixPoints: 0");
    EXPECT_EQ(state.selection.countText.trimmed(), "0");
    EXPECT_TRUE(tree->portNode()->isExpanded());
    EXPECT_TRUE(tree->jobNode()->isExpanded());
    EXPECT_TRUE(tree->slotNode(0)->isExpanded());
}

// A refresh cut short by the instrument going away leaves counts it no longer
// holds; the tree then shows them greyed, saying the connection is closed,
// until the next connection reads the jobs anew, and the field above it
// follows the port.
TEST_F(ManagerBehaviour, jobsCutOffByALostLinkOrACancelShowNoStaleCounts)
{
    ManagerWindow w(state, options);
    countCommands(w);
    ASSERT_TRUE(connectAndWait(w));
    InstrumentTree *tree = w.instrumentTree();
    tree->setCurrentItem(tree->fixPointsNode(0));
    ASSERT_EQ(w.instrumentPathField()->text(), "FixPoints: 25");
    settle();
    SimInstrument::Options vanishing;
    // The opening conversation's 33 replies, "a", "c" and the erase, the
    // directory request and five of its lines: job 1 reads 0 by then.
    vanishing.vanishAfter = 33 + 3 + 1 + 5;
    sim.setOptions(vanishing);
    w.controller().erase();
    ASSERT_TRUE(waitFor([&] { return !w.controller().engine().isConnected(); }));
    ASSERT_NE(tree->jobNode(), nullptr);
    EXPECT_TRUE(tree->isStale());
    EXPECT_FALSE(tree->fixPointsNode(0)->flags() & Qt::ItemIsSelectable);
    EXPECT_EQ(w.instrumentPathField()->text(), tree->portNode()->text(0));
    ASSERT_EQ(shown.size(), 1) << shown.join('|').toStdString();
    EXPECT_TRUE(shown.first().contains("lost")) << shown.first().toStdString();
}

TEST_F(ManagerBehaviour, enterInATreeActivatesTheNodeAndNeverClosesTheManager)
{
    ManagerWindow w(state, options);
    countCommands(w);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    InstrumentTree *tree = w.instrumentTree();
    tree->setFocus();
    tree->setCurrentItem(tree->portNode());
    QTest::keyClick(tree, Qt::Key_Return); // connects, as a double-click on the port does
    ASSERT_TRUE(waitFor([&] { return tree->jobNode() != nullptr; }));
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(tree->jobNode()->isExpanded());

    // The wait dialog had the focus; the user clicks back into the tree.
    tree->setFocus();
    tree->setCurrentItem(tree->slotNode(2));
    ASSERT_TRUE(tree->slotNode(2)->isExpanded());
    QTest::keyClick(tree, Qt::Key_Enter);
    EXPECT_FALSE(tree->slotNode(2)->isExpanded());
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_TRUE(tree->slotNode(2)->isExpanded());
    EXPECT_TRUE(w.isVisible());

    w.pcTree()->setFocus();
    w.pcTree()->setCurrentItem(w.pcTree()->myComputerNode());
    QTest::keyClick(w.pcTree(), Qt::Key_Return);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(ManagerBehaviour, escapeAsksBeforeClosingAnOpenConnection)
{
    ManagerWindow w(state, options);
    countCommands(w);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(connectAndWait(w));
    ASSERT_TRUE(w.controller().engine().isConnected());

    answer = false;
    QTest::keyClick(&w, Qt::Key_Escape);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.controller().engine().isConnected());

    answer = true;
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_EQ(asked.size(), 2);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.controller().engine().isConnected());

    // Without a connection there is nothing to lose: Escape closes at once.
    ManagerWindow idle(state, options);
    idle.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&idle));
    QTest::keyClick(&idle, Qt::Key_Escape);
    EXPECT_FALSE(idle.isVisible());
    EXPECT_EQ(asked.size(), 2);
}

} // namespace
