// SPDX-License-Identifier: GPL-3.0-or-later
// scripts/tour.sh, the first run on a machine without a display: run as
// scripts/run.sh runs it there, with no display in the environment.
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <signal.h>

namespace {

struct TourRun
{
    int exitCode = -1;
    QByteArray out;
    QString dir;
};

TourRun runTour(const QString &dir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    QProcess tour;
    tour.setProcessEnvironment(env);
    tour.setProcessChannelMode(QProcess::MergedChannels);
    tour.start(QStringLiteral("bash"),
               {QStringLiteral(RQT_SOURCE_DIR "/scripts/tour.sh"),
                QFileInfo(testsupport::binPath(QStringLiteral("rqtcom-cli"))).absolutePath(), dir});
    TourRun run;
    run.dir = dir;
    if (!tour.waitForFinished(180000)) {
        tour.kill();
        tour.waitForFinished();
        run.out = tour.readAll();
        return run;
    }
    run.out = tour.readAll();
    run.exitCode = tour.exitStatus() == QProcess::NormalExit ? tour.exitCode() : -2;
    return run;
}

} // namespace

// Every step runs against the simulated instrument and leaves its file; each
// command is shown, the folder is named, and the instrument is stopped.
TEST(Tour, runsWithoutADisplayAndLeavesEveryFile)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const TourRun run = runTour(tmp.filePath(QStringLiteral("tour")));
    ASSERT_EQ(run.exitCode, 0) << run.out.constData();

    const QDir dir(run.dir);
    const QByteArray gsi = testsupport::readAll(dir.filePath(QStringLiteral("ROAD1.gsi")));
    EXPECT_EQ(gsi.count("\r\n"), 25) << "the demo's job 1 holds 25 points";
    EXPECT_TRUE(gsi.startsWith("*11"));
    EXPECT_EQ(testsupport::readAll(dir.filePath(QStringLiteral("ROAD1.dat"))).count('\n'), 25);
    EXPECT_EQ(
        testsupport::readAll(dir.filePath(QStringLiteral("ROAD1-observations.gsi"))).count("\r\n"),
        40);
    const QByteArray dxf = testsupport::readAll(dir.filePath(QStringLiteral("ROAD1.dxf")));
    EXPECT_TRUE(dxf.trimmed().endsWith("EOF"));
    EXPECT_TRUE(dxf.contains("ELEVATION")) << "--layers";
    EXPECT_TRUE(
        testsupport::readAll(dir.filePath(QStringLiteral("ROAD1.png"))).startsWith("\x89PNG\r\n"));
    // The job's observations, reduced, give back its fixed points.
    const QList<QByteArray> fixed =
        testsupport::readAll(dir.filePath(QStringLiteral("ROAD1.dat"))).split('\n');
    const QList<QByteArray> reduced =
        testsupport::readAll(dir.filePath(QStringLiteral("ROAD1-reduced.dat"))).split('\n');
    EXPECT_GT(reduced.size(), 25);
    for (const QByteArray &line : reduced)
        EXPECT_TRUE(fixed.contains(line)) << line.constData();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("sim.out"))));

    for (const char *command : {"$ rqtcom-cli jobs", "$ rqtcom-cli download",
                                "$ rqtcom-cli gsi2dxf", "$ rqtcom-cli plot", "$ rqtsim"})
        EXPECT_TRUE(run.out.contains(command)) << command << '\n' << run.out.constData();
    EXPECT_TRUE(run.out.contains(dir.absolutePath().toUtf8()));

    // The simulated instrument it started is gone.
    const QRegularExpressionMatch pid = QRegularExpression(QStringLiteral("rqtsim, process (\\d+)"))
                                            .match(QString::fromUtf8(run.out));
    ASSERT_TRUE(pid.hasMatch()) << run.out.constData();
    EXPECT_NE(::kill(pid.captured(1).toInt(), 0), 0);
}

// A tour run twice starts afresh: the second finds no file of the first in its way.
TEST(Tour, runsAgainOverItsOwnFolder)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString folder = tmp.filePath(QStringLiteral("tour"));
    ASSERT_EQ(runTour(folder).exitCode, 0);
    const TourRun again = runTour(folder);
    EXPECT_EQ(again.exitCode, 0) << again.out.constData();
}
