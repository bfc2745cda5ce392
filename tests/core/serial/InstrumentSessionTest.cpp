// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/InstrumentSession.h"
#include "core/state/AppState.h"
#include "sim/SimInstrument.h"
#include "tests/support/WaitFor.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The manager's wiring against the in-process instrument, with quick ticks.
struct Connected
{
    SimInstrument sim;
    CommSettings settings;
    InstrumentSession session{settings};

    Connected()
    {
        QString error;
        EXPECT_TRUE(sim.start(&error)) << qPrintable(error);
        session.setDevicePath(sim.slavePath());
        session.setTickInterval(20);
        QSignalSpy tables(&session.engine(), &ConversationEngine::jobTableChanged);
        EXPECT_EQ(session.engine().connectToInstrument(),
                  ConversationEngine::ConnectResult::Started);
        EXPECT_TRUE(waitFor([&] { return tables.count() == 1; }));
    }
};

} // namespace

TEST(InstrumentSession, readsTheDirectoryOfTheInstrument)
{
    Connected c;
    const JobTable &jobs = c.session.engine().jobTable();
    EXPECT_EQ(jobs.JobNames.at(0), QStringLiteral("ROAD1"));
    EXPECT_EQ(jobs.FixPointCounts.at(0), QStringLiteral("25"));
    EXPECT_EQ(jobs.JobNames.at(3), QStringLiteral("<empty>"));
    EXPECT_EQ(c.sim.commands().size(), 33);
    EXPECT_EQ(c.session.tickInterval(), 20);
}

TEST(InstrumentSession, timerStartsTheConfirmedDownload)
{
    Connected c;
    QTemporaryDir dir;
    QSignalSpy finished(&c.session.engine(), &ConversationEngine::finished);
    ASSERT_TRUE(c.session.engine().prepareDownload());
    DownloadRequest request;
    request.jobNumber = 10;
    request.folder = dir.path();
    request.fileName = QStringLiteral("stake");
    ASSERT_TRUE(c.session.engine().startDownload(request).isEmpty());
    ASSERT_TRUE(waitFor([&] { return finished.count() == 1; }));
    EXPECT_FALSE(c.session.ticking());
    QFile file(dir.filePath(QStringLiteral("stake.gsi")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("\r\n"), 7);
}

TEST(InstrumentSession, aVanishedInstrumentEndsTheConnection)
{
    Connected c;
    QSignalSpy lost(&c.session.engine(), &ConversationEngine::linkLost);
    QSignalSpy closed(&c.session.engine(), &ConversationEngine::connectionClosed);
    c.sim.vanish();
    ASSERT_TRUE(waitFor([&] { return closed.count() > 0; }));
    EXPECT_EQ(lost.count(), 1);
    EXPECT_EQ(c.session.engine().linkMode(), LinkMode::Directory);
    EXPECT_FALSE(c.session.link().isOpen());
    EXPECT_FALSE(c.session.engine().isConnected());
}

TEST(InstrumentSession, uploadPausesAreScheduledAndTheLoopStaysFree)
{
    Connected c;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("points.gsi"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (int i = 0; i < 20; ++i)
        file.write("*110001+000000000000P001 81..00+0000000000123456 82..00+0000000000654321 "
                   "83..00+0000000000001234 \r\n");
    file.close();
    QSignalSpy finished(&c.session.engine(), &ConversationEngine::finished);
    ASSERT_TRUE(c.session.engine().prepareUpload());
    UploadRequest request;
    request.jobNumber = 1;
    request.filePath = path;
    ASSERT_TRUE(c.session.engine().startUpload(request).isEmpty());
    // The event loop turns many times per line: no one sleeps through the pauses.
    int turns = 0;
    QTimer spinner;
    QObject::connect(&spinner, &QTimer::timeout, [&] { ++turns; });
    spinner.start(1);
    ASSERT_TRUE(waitFor([&] { return finished.count() == 1; }, 20000));
    const auto result = finished.at(0).at(0).value<TransferResult>();
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(result.linesTransferred, 20);
    EXPECT_GT(turns, 20 * 4);
}
