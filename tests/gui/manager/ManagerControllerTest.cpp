// SPDX-License-Identifier: GPL-3.0-or-later
// The manager's controller without its window, over the in-process simulated
// instrument: which commands are offered in which state, and how a transfer's
// signals open and close the progress dialog.
#include "gui/manager/ManagerController.h"
#include "core/protocol/ConversationEngine.h"
#include "core/protocol/JobTable.h"
#include "core/state/AppState.h"
#include "gui/manager/DownloadDialog.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/ManagerPrompts.h"
#include "gui/manager/ManagerWindow.h"
#include "gui/manager/ProgressDialog.h"
#include "sim/SimInstrument.h"
#include "tests/gui/manager/ManagerWaits.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WaitFor.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include "tests/support/WhenShown.h"

#include <gtest/gtest.h>

namespace {

// Answers as a user would: the download goes into the folder chosen, as the
// job's name; the upload into the slot chosen.
class RecordingPrompts : public ManagerPrompts
{
public:
    void tell(const QString &text, Messages::Kind) override { told << text; }
    bool ask(const QString &question) override
    {
        asked << question;
        return answer;
    }
    int choose(const QString &text, const QStringList &, int defaultChoice) override
    {
        asked << text;
        return defaultChoice;
    }
    bool askDownload(const DownloadConfirm &confirm) override
    {
        ++downloads;
        return confirm(download).isEmpty();
    }
    bool askUpload(const JobTable &, const UploadConfirm &) override { return false; }
    void editPortSettings() override {}

    QStringList told, asked;
    bool answer = true;
    int downloads = 0;
    DownloadRequest download;
};

using A = ManagerController::Action;

class ManagerControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(sim.start(&error)) << error.toStdString();
        options.devicePath = sim.slavePath();
        options.engineTickMs = 20;
        prompts.download.jobNumber = 1;
        prompts.download.folder = folder.path() + "/";
        prompts.download.fileName = "ROAD1";
    }

    bool enabled(const ManagerController &c, A a) const { return c.action(a)->isEnabled(); }
    // The FixPoints node of job 1 (ROAD1, 25 lines), as the tree reports a click on it.
    void chooseRoad1(ManagerController &c)
    {
        c.chooseInstrumentNode(InstrumentTree::FixPoints, 0, "COM1");
        c.setPcPath(folder.path() + "/");
    }

    SimInstrument sim;
    QTemporaryDir folder;
    AppState state;
    ManagerController::Options options;
    RecordingPrompts prompts;
};

TEST_F(ManagerControllerTest, commandsAreOfferedAsTheConnectionAndTheChosenNodeAllow)
{
    ManagerController c(state, options, &prompts);
    // Before any connection: connect, and erase, which says why it cannot.
    EXPECT_TRUE(enabled(c, A::Connect));
    EXPECT_FALSE(enabled(c, A::Move));
    EXPECT_FALSE(enabled(c, A::Rename));
    EXPECT_TRUE(enabled(c, A::Delete));
    EXPECT_FALSE(enabled(c, A::FileInfo));
    EXPECT_TRUE(c.action(A::Statusbar)->isCheckable());

    QSignalSpy connecting(&c, &ManagerController::connecting);
    c.connectInstrument();
    ASSERT_EQ(connecting.count(), 1);
    // While the wait dialog stands nothing else starts, and no second connection.
    EXPECT_TRUE(c.isConnecting());
    for (A a : {A::Connect, A::Move, A::Delete, A::Upload, A::PortSettings})
        EXPECT_FALSE(enabled(c, a)) << int(a);
    c.connectInstrument();
    EXPECT_EQ(connecting.count(), 1);
    ASSERT_TRUE(waitFor([&] { return !c.isConnecting(); }));
    EXPECT_FALSE(enabled(c, A::Connect));

    // Move takes a point item, not a job or the port.
    c.chooseInstrumentNode(InstrumentTree::Slot, 2, "COM1");
    EXPECT_FALSE(enabled(c, A::Move));
    EXPECT_EQ(state.selection.jobNumber, 3);
    for (int kind : {int(InstrumentTree::FixPoints), int(InstrumentTree::MeasurementPoints)}) {
        c.chooseInstrumentNode(kind, 4, "COM1");
        EXPECT_TRUE(enabled(c, A::Move)) << kind;
        EXPECT_TRUE(enabled(c, A::Rename)) << kind;
    }
    c.chooseInstrumentNode(InstrumentTree::Root, 0, "COM1");
    EXPECT_FALSE(enabled(c, A::Move));
    EXPECT_EQ(state.selection.jobNumber, 5); // the last job stays the chosen one

    // Closed: the jobs shown are stale, and only a new connection helps.
    c.chooseInstrumentNode(InstrumentTree::FixPoints, 0, "COM1");
    c.cancel();
    EXPECT_FALSE(c.engine().isConnected());
    EXPECT_TRUE(c.isStale());
    EXPECT_TRUE(enabled(c, A::Connect));
    EXPECT_FALSE(enabled(c, A::Move));
    c.erase();
    ASSERT_EQ(prompts.told.size(), 1);
    EXPECT_TRUE(prompts.told[0].contains("Double-click COM1")) << prompts.told[0].toStdString();
    EXPECT_TRUE(prompts.asked.isEmpty());
}

TEST_F(ManagerControllerTest, aDownloadOpensTheProgressOnceAndEndsItWhenTheFileIsIn)
{
    ManagerController c(state, options, &prompts);
    ASSERT_TRUE(connectAndWait(c));
    chooseRoad1(c);
    QSignalSpy started(&c, &ManagerController::transferStarted);
    QSignalSpy progress(&c, &ManagerController::transferProgress);
    QSignalSpy ended(&c, &ManagerController::transferEnded);
    c.download();
    ASSERT_EQ(started.count(), 1);
    const auto info = started.at(0).at(0).value<ProgressInfo>();
    EXPECT_EQ(info.destination, folder.path() + "/");
    EXPECT_EQ(info.countText.trimmed(), "25");
    EXPECT_TRUE(c.isTransferring());
    EXPECT_FALSE(enabled(c, A::Move));
    EXPECT_FALSE(enabled(c, A::Delete));
    ASSERT_TRUE(transferDone(c));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_GE(progress.count(), 1);
    EXPECT_EQ(testsupport::readAll(folder.filePath("ROAD1.gsi")).count("\r\n"), 25);
    EXPECT_TRUE(prompts.told.isEmpty()) << prompts.told.join('|').toStdString();
    EXPECT_TRUE(enabled(c, A::Move));

    // A download the engine refuses opens no progress.
    prompts.download.jobNumber = 0;
    c.download();
    EXPECT_EQ(prompts.downloads, 2);
    EXPECT_EQ(started.count(), 1);
    EXPECT_FALSE(c.isTransferring());
}

// The window's progress dialog is opened with open() and follows the
// controller: it closes when the download ends, whether the file is in or
// the instrument went away mid-way; the note about the loss comes after it.
TEST_F(ManagerControllerTest, theProgressDialogClosesOnTheEndAndOnALostLink)
{
    for (const bool vanish : {false, true}) {
        SCOPED_TRACE(vanish ? "link lost" : "finished");
        QStringList shown;
        Messages::setHandler({[&shown](const QString &t, Messages::Kind) { shown << t; },
                              [](const QString &) {
                                  return true;
                              }});
        ManagerWindow::Options windowOptions;
        windowOptions.drives = {folder.path()};
        windowOptions.devicePath = sim.slavePath();
        windowOptions.engineTickMs = 20;
        ManagerWindow w(state, windowOptions);
        w.show();
        ASSERT_TRUE(connectAndWait(w));
        w.instrumentTree()->setCurrentItem(w.instrumentTree()->fixPointsNode(0));
        w.controller().setPcPath(folder.path() + "/");
        if (vanish) {
            SimInstrument::Options vanishing;
            // The opening conversation's 33 replies, "a", "c", FORM/SET/0, the request, three
            // lines.
            vanishing.vanishAfter = 33 + 4 + 3;
            sim.setOptions(vanishing);
        }
        bool noteBeforeClose = true;
        new WhenShown<DownloadDialog>(&w, [](DownloadDialog *d) {
            QTimer::singleShot(0, d->okButton(), &QPushButton::click);
        });
        w.controller().download(); // returns with the progress dialog open
        ProgressDialog *progress = w.progressDialog();
        ASSERT_TRUE(progress);
        EXPECT_TRUE(progress->isVisible());
        EXPECT_EQ(progress->windowModality(), Qt::WindowModal);
        QObject::connect(&w.controller(), &ManagerController::transferEnded, &w,
                         [&] { noteBeforeClose = !shown.isEmpty(); });
        ASSERT_TRUE(transferDone(w));
        EXPECT_FALSE(w.progressDialog() && w.progressDialog()->isVisible());
        EXPECT_FALSE(noteBeforeClose);
        if (vanish) {
            ASSERT_EQ(shown.size(), 1) << shown.join('|').toStdString();
            EXPECT_TRUE(shown[0].contains("lost")) << shown[0].toStdString();
            EXPECT_FALSE(w.controller().engine().isConnected());
        } else {
            EXPECT_TRUE(shown.isEmpty()) << shown.join('|').toStdString();
        }
        Messages::setHandler({});
        sim.setOptions({});
        QFile::remove(folder.filePath("ROAD1.gsi"));
    }
}

} // namespace
