// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/core/survey/ObservationTestLines.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace obstest;

namespace {

class ReduceCommand : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const char *name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    testsupport::ProgramRun reduce(const QStringList &args)
    {
        return testsupport::runProgram(QStringLiteral("rqtcom-cli"),
                                       QStringList{QStringLiteral("reduce")} + args);
    }

    QTemporaryDir m_dir;
};

const QByteArray kObservation =
    line16({name("P1"), {21, '2', 10000000}, {22, '2', 10000000}, {31, '0', 10000}});

} // namespace

TEST_F(ReduceCommand, optionsSetUpTheStationAndTheOutputFormatFollowsTheExtension)
{
    ASSERT_TRUE(testsupport::writeAll(path("obs.gsi"), kObservation));
    const auto run =
        reduce({path("obs.gsi"), path("out.csv"), QStringLiteral("--station"),
                QStringLiteral("100,200,10"), QStringLiteral("--instrument-height"),
                QStringLiteral("1.5"), QStringLiteral("--orientation"), QStringLiteral("100")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    // Hz 100 + orientation 100 gon: due south.
    EXPECT_EQ(testsupport::readAll(path("out.csv")),
              QByteArray("\xEF\xBB\xBFName,Code,East,North,Elevation\r\n"
                         "P1,,100.000,190.000,11.500\r\n"));
    EXPECT_TRUE(run.err.contains("1 observations: 1 reduced")) << run.err.constData();
    EXPECT_TRUE(run.err.contains("orientation 100.00000 gon (given)")) << run.err.constData();
}

TEST_F(ReduceCommand, aStationWithoutCoordinatesWritesNothingAndFails)
{
    ASSERT_TRUE(testsupport::writeAll(path("obs.gsi"), kObservation));
    const auto run = reduce({path("obs.gsi"), path("out.dat")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("has no coordinates")) << run.err.constData();
    EXPECT_FALSE(QFile::exists(path("out.dat")));
}

TEST_F(ReduceCommand, aFileWithoutObservationsWritesNothingAndFails)
{
    ASSERT_TRUE(testsupport::writeAll(path("coords.gsi"),
                                      line16({name("K1"), {81, '0', 1000}, {82, '0', 2000}})));
    const auto run = reduce({path("coords.gsi"), path("out.dat")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("no observations")) << run.err.constData();
    EXPECT_FALSE(QFile::exists(path("out.dat")));
}

TEST_F(ReduceCommand, backsightsFromAKnownFilePrintTheirResiduals)
{
    ASSERT_TRUE(testsupport::writeAll(path("known.dat"), "K1,,100.000,0.000,0\r\nST,,0,0,0\r\n"));
    ASSERT_TRUE(testsupport::writeAll(
        path("obs.gsi"), line16({name("ST"), {84, '0', 0}, {88, '0', 1500}}) +
                             line16({name("K1"), {21, '2', 9000000}, {22, '2', 10000000}}) +
                             kObservation));
    const auto run = reduce({path("obs.gsi"), path("out.dat"), QStringLiteral("--backsight"),
                             QStringLiteral("K1"), QStringLiteral("--known"), path("known.dat")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.err.contains("backsight K1: orientation 10.00000 gon, residual 0.00000 gon"))
        << run.err.constData();
    EXPECT_TRUE(run.err.contains("1 without a distance")) << run.err.constData();
}

TEST_F(ReduceCommand, badCommandLinesExitWithTwo)
{
    for (const QStringList &args :
         {QStringList{QStringLiteral("a.gsi")},
          QStringList{QStringLiteral("a.gsi"), QStringLiteral("b.dat"), QStringLiteral("--bogus")},
          QStringList{QStringLiteral("a.gsi"), QStringLiteral("b.dat"), QStringLiteral("--station"),
                      QStringLiteral("1,x")},
          QStringList{QStringLiteral("a.gsi"), QStringLiteral("b.dat"),
                      QStringLiteral("--orientation"), QStringLiteral("1"),
                      QStringLiteral("--backsight"), QStringLiteral("K")},
          QStringList{QStringLiteral("a.gsi"), QStringLiteral("b.unknown")}}) {
        EXPECT_EQ(reduce(args).exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
    }
}
