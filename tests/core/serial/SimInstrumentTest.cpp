// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimInstrument.h"
#include "core/serial/QtSerialLink.h"
#include "core/state/AppState.h"
#include "tests/support/WaitFor.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The in-process instrument with a real link open on its pty.
struct Bench
{
    SimInstrument sim;
    QtSerialLink link;
    int events = 0;
    QByteArray received;

    explicit Bench(const SimInstrument::Options &options = {})
    {
        sim.setOptions(options);
        QString error;
        EXPECT_TRUE(sim.start(&error)) << qPrintable(error);
        link.setDevicePath(sim.slavePath());
        CommSettings settings;
        EXPECT_TRUE(link.open(settings)) << qPrintable(link.errorString());
        QObject::connect(&link, &SerialLink::bytesReceived, &link, [this] {
            ++events;
            received += link.readAll();
        });
    }

    // Sends one command and returns the reply up to its terminator.
    QByteArray ask(const QByteArray &command, char terminator = '\n', int timeoutMs = 3000)
    {
        received.clear();
        link.send(command);
        waitFor([&] { return received.endsWith(terminator); }, timeoutMs);
        return received;
    }
};

} // namespace

TEST(SimInstrument, answersOneLineInEitherEndMark)
{
    Bench crlf;
    EXPECT_EQ(crlf.ask("a\r\n"), QByteArray("RQT-318\r\n"));
    EXPECT_EQ(crlf.ask("JOB/CONF/LIST\r\n"), QByteArray("ROAD1,GSI16,25,40\r\n"));

    SimInstrument::Options options;
    options.replyEnd = EndMark::Cr;
    Bench cr(options);
    EXPECT_EQ(cr.ask("a\r", '\r'), QByteArray("RQT-318\r"));
    EXPECT_EQ(cr.ask("c\r", '\r'), QByteArray("OK\r"));
    EXPECT_EQ(cr.sim.commands(), (QList<QByteArray>{"a", "c"}));
}

TEST(SimInstrument, logsEveryByteReceived)
{
    QTemporaryDir dir;
    SimInstrument::Options options;
    options.logPath = dir.filePath(QStringLiteral("commands.log"));
    Bench bench(options);
    bench.ask("a\r\n");
    bench.ask("JOB/SET/NEW/12\r\n");
    bench.ask(QByteArray("\x1a\r\n"));
    const QByteArray expected("a\r\nJOB/SET/NEW/12\r\n\x1a\r\n");
    EXPECT_EQ(bench.sim.received(), expected);
    QFile log(options.logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), expected);
    EXPECT_EQ(bench.sim.commands(), (QList<QByteArray>{"a", "JOB/SET/NEW/12", "\x1a"}));
}

TEST(SimInstrument, splitRepliesArriveInSeveralPieces)
{
    SimInstrument::Options options;
    options.splitChunks = 3;
    Bench bench(options);
    bench.ask("JOB/RCV/COORDS/1\r\n");
    bench.events = 0;
    const QByteArray line = bench.ask("?\r\n");
    EXPECT_EQ(line.size(), 99);
    EXPECT_GE(bench.events, 2);
}

TEST(SimInstrument, pacedLineTakesAtLeastItsWireTime)
{
    SimInstrument::Options options;
    options.baud = 9600;
    Bench bench(options);
    bench.ask("JOB/RCV/COORDS/1\r\n");
    QElapsedTimer clock;
    clock.start();
    const QByteArray line = bench.ask("?\r\n");
    // 3 bytes out and 99 back at 960 bytes per second.
    EXPECT_EQ(line.size(), 99);
    EXPECT_GE(clock.elapsed(), 102 * 1000 / 960 - 1);
}

TEST(SimInstrument, silentInstrumentListensButNeverAnswers)
{
    SimInstrument::Options options;
    options.silent = true;
    Bench bench(options);
    EXPECT_TRUE(bench.ask("a\r\n", '\n', 300).isEmpty());
    EXPECT_EQ(bench.sim.commands(), QList<QByteArray>{"a"});
}

TEST(SimInstrument, vanishingInstrumentIsReportedOnceByTheLink)
{
    SimInstrument::Options options;
    options.vanishAfter = 2;
    Bench bench(options);
    QSignalSpy lost(&bench.link, &SerialLink::linkLost);
    QSignalSpy vanished(&bench.sim, &SimInstrument::vanished);
    EXPECT_FALSE(bench.ask("a\r\n").isEmpty());
    EXPECT_FALSE(bench.ask("c\r\n").isEmpty());
    EXPECT_TRUE(bench.ask("CONF/182\r\n", '\n', 500).isEmpty());
    EXPECT_EQ(vanished.count(), 1);
    ASSERT_TRUE(waitFor([&] { return lost.count() > 0; }));
    EXPECT_FALSE(bench.link.isOpen());
    waitFor([] { return false; }, 100);
    EXPECT_EQ(lost.count(), 1);
}
