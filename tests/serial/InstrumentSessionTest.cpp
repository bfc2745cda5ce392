#include "serial/InstrumentSession.h"
#include "WaitFor.h"
#include "sim/SimInstrument.h"
#include "state/AppState.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The manager's wiring against the in-process instrument, with a quick timer 1.
struct Connected
{
    SimInstrument sim;
    AppState state;
    InstrumentSession session{state};

    Connected()
    {
        QString error;
        EXPECT_TRUE(sim.start(&error)) << qPrintable(error);
        state.commSettings.ReplyTerminator = 10;
        session.setDevicePath(sim.slavePath());
        session.setTimerInterval(20);
        EXPECT_EQ(session.engine().startConnection(), ConversationEngine::ConnectResult::Started);
        EXPECT_TRUE(session.timerActive());
        EXPECT_TRUE(waitFor([this] { return state.transfer.ConnectProgress == 32; }));
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
    EXPECT_EQ(c.session.timerInterval(), 20);
}

TEST(InstrumentSession, timerStartsTheConfirmedDownload)
{
    Connected c;
    QTemporaryDir dir;
    QSignalSpy finished(&c.session.engine(), &ConversationEngine::transferFinished);
    ASSERT_TRUE(c.session.engine().prepareDownload());
    DownloadRequest request;
    request.jobNumber = 10;
    request.folder = dir.path();
    request.fileName = QStringLiteral("stake");
    ASSERT_TRUE(c.session.engine().confirmDownload(request).isEmpty());
    ASSERT_TRUE(waitFor([&] { return finished.count() == 1; }));
    EXPECT_FALSE(c.session.timerActive());
    QFile file(dir.filePath(QStringLiteral("stake.gsi")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("\r\n"), 7);
}

TEST(InstrumentSession, aVanishedInstrumentEndsTheConnection)
{
    Connected c;
    QSignalSpy lost(&c.session, &InstrumentSession::linkLost);
    c.sim.vanish();
    ASSERT_TRUE(waitFor([&] { return lost.count() > 0; }));
    EXPECT_EQ(c.session.engine().linkMode(), LinkMode::Directory);
    EXPECT_FALSE(c.session.link().isOpen());
    waitFor([] { return false; }, 100);
    EXPECT_EQ(lost.count(), 1);
}
