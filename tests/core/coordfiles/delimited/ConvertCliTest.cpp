// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

using CliRun = testsupport::ProgramRun;

CliRun convert(const QStringList &args)
{
    return testsupport::runProgram(QStringLiteral("rqtcom-cli"),
                                   QStringList{QStringLiteral("convert")} + args);
}

class ConvertCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QFile::exists(testsupport::binPath(QStringLiteral("rqtcom-cli"))));
    }
    QString path(const char *name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    QString golden(const char *ext) const
    {
        return testsupport::dataPath(QStringLiteral("delimited/three.") + QLatin1String(ext));
    }

    QTemporaryDir m_dir;
};

void expectOneErrorLine(const CliRun &run)
{
    EXPECT_TRUE(run.err.startsWith("rqtcom-cli: ")) << run.err.constData();
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.constData();
}

} // namespace

TEST_F(ConvertCommand, helpDescribesTheCommand)
{
    const CliRun run = convert({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains("convert INPUT OUTPUT")) << run.out.constData();
}

TEST_F(ConvertCommand, convertsBetweenDelimitedFormatsByteForByte)
{
    const CliRun run = convert({golden("orb"), path("out.pts")});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.out.contains("3 points")) << run.out.constData();
    EXPECT_EQ(testsupport::readAll(path("out.pts")), testsupport::readAll(golden("pts")));

    EXPECT_EQ(
        convert({golden("pts"), path("out.any"), QStringLiteral("--to"), QStringLiteral("idx")})
            .exitCode,
        0);
    EXPECT_EQ(testsupport::readAll(path("out.any")), testsupport::readAll(golden("idx")));
}

TEST_F(ConvertCommand, anUpperCaseExtensionConvertsLikeTheLowerCaseOne)
{
    // The lower-case twins have other names: Windows keeps one file for both cases.
    ASSERT_TRUE(QFile::copy(golden("dat"), path("UP.DAT")));
    ASSERT_TRUE(QFile::copy(golden("dat"), path("low.dat")));
    CliRun run = convert({path("UP.DAT"), path("upper.gsi")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.out.contains("3 points")) << run.out.constData();
    ASSERT_EQ(convert({path("low.dat"), path("lower.gsi")}).exitCode, 0);
    EXPECT_EQ(testsupport::readAll(path("upper.gsi")), testsupport::readAll(path("lower.gsi")));

    // An upper-case output extension chooses its format too, and so does --to.
    ASSERT_EQ(convert({path("UP.DAT"), path("OUT.ORB")}).exitCode, 0);
    ASSERT_EQ(convert({path("low.dat"), path("low.orb")}).exitCode, 0);
    EXPECT_EQ(testsupport::readAll(path("OUT.ORB")), testsupport::readAll(path("low.orb")));
    ASSERT_EQ(
        convert({path("UP.DAT"), path("to.any"), QStringLiteral("--to"), QStringLiteral("ORB")})
            .exitCode,
        0);
    EXPECT_EQ(testsupport::readAll(path("to.any")), testsupport::readAll(path("low.orb")));

    // "POINTS.GSI" is read as GSI: ORB lines in it are no GSI point.
    ASSERT_TRUE(QFile::copy(golden("orb"), path("POINTS.GSI")));
    run = convert({path("POINTS.GSI"), path("points.orb")});
    EXPECT_EQ(run.exitCode, 1);
    expectOneErrorLine(run);
    EXPECT_FALSE(QFile::exists(path("points.orb")));
}

TEST_F(ConvertCommand, aMissingInputFailsWithoutTouchingTheOutput)
{
    ASSERT_TRUE(testsupport::writeAll(path("out.orb"), "earlier"));
    const CliRun run = convert({path("missing.orb"), path("out.orb")});
    EXPECT_EQ(run.exitCode, 1);
    expectOneErrorLine(run);
    EXPECT_EQ(testsupport::readAll(path("out.orb")), QByteArray("earlier"));

    EXPECT_EQ(convert({path("missing.orb"), path("new.orb")}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(path("new.orb")));
}

TEST_F(ConvertCommand, anOutputWhoseFormatCannotBeToldIsAUsageError)
{
    for (const QStringList &args :
         {QStringList{golden("orb"), path("out.txt")},
          QStringList{golden("orb"), path("out.orb"), QStringLiteral("--to"),
                      QStringLiteral("dxf")},
          QStringList{golden("orb")},
          QStringList{golden("orb"), path("out.orb"), QStringLiteral("--bogus")}}) {
        const CliRun run = convert(args);
        EXPECT_EQ(run.exitCode, 2) << qPrintable(args.join(' '));
        expectOneErrorLine(run);
    }
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(ConvertCommand, anOutputThatCannotBeWrittenIsAFailure)
{
    const CliRun run = convert({golden("orb"), path("no/dir/out.orb")});
    EXPECT_EQ(run.exitCode, 1);
    expectOneErrorLine(run);
}

TEST_F(ConvertCommand, aGsiInputOfNeitherFormIsRefused)
{
    ASSERT_TRUE(QFile::copy(golden("orb"), path("fake.gsi")));
    const CliRun run = convert({path("fake.gsi"), path("out.orb")});
    EXPECT_EQ(run.exitCode, 1);
    expectOneErrorLine(run);
    EXPECT_FALSE(QFile::exists(path("out.orb")));
}

TEST_F(ConvertCommand, aLossyGsiOutputIsRefusedUnlessLossIsAllowed)
{
    ASSERT_TRUE(testsupport::writeAll(path("big.orb"), "1,A,150000,500,10\r\n2,B,3000,500,10\r\n"
                                                       "3,LONGNAME9,1,2,3\r\n"));
    const QStringList toGsi8 = {path("big.orb"), path("out.gsi"), QStringLiteral("--to"),
                                QStringLiteral("gsi8")};
    CliRun run = convert(toGsi8);
    EXPECT_EQ(run.exitCode, 1) << run.err.constData();
    EXPECT_TRUE(run.err.contains("row 1: northing 150000")) << run.err.constData();
    EXPECT_TRUE(run.err.contains("row 3: name \"LONGNAME9\"")) << run.err.constData();
    EXPECT_FALSE(QFile::exists(path("out.gsi")));

    run = convert(toGsi8 + QStringList{QStringLiteral("--allow-loss")});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.err.contains("row 1:")) << run.err.constData();
    EXPECT_TRUE(run.err.contains("row 3:")) << run.err.constData();
    EXPECT_EQ(testsupport::readAll(path("out.gsi")).size(), 3 * 66);

    // And back: the GSI-8 file converts to ORB with three decimals.
    EXPECT_EQ(convert({path("out.gsi"), path("back.orb")}).exitCode, 0);
    EXPECT_EQ(testsupport::readAll(path("back.orb")),
              QByteArray("1,A,0.000,500.000,10.000\r\n2,B,3000.000,500.000,10.000\r\n"
                         "3,LONGNAME,1.000,2.000,3.000\r\n"));
}

TEST_F(ConvertCommand, anExistingOutputIsReplacedOnlyWithOverwrite)
{
    ASSERT_TRUE(testsupport::writeAll(path("out.pts"), "earlier"));
    CliRun run = convert({golden("orb"), path("out.pts")});
    EXPECT_EQ(run.exitCode, 1);
    expectOneErrorLine(run);
    EXPECT_TRUE(run.err.contains("--overwrite")) << run.err.constData();
    EXPECT_EQ(testsupport::readAll(path("out.pts")), QByteArray("earlier"));

    run = convert({golden("orb"), path("out.pts"), QStringLiteral("--overwrite")});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(testsupport::readAll(path("out.pts")), testsupport::readAll(golden("pts")));
}

TEST_F(ConvertCommand, anOutputThatIsTheInputItselfIsRefusedEvenWithOverwrite)
{
    ASSERT_TRUE(QFile::copy(golden("orb"), path("p.orb")));
    const QByteArray original = testsupport::readAll(path("p.orb"));
    const QString dotted = m_dir.path() + QStringLiteral("/./p.orb");
    QStringList outputs = {path("p.orb"), dotted};
#ifdef Q_OS_WIN
    // The same file by another spelling; QFile::link makes a shortcut here, no link.
    outputs << QDir::toNativeSeparators(path("p.orb")) << path("P.ORB");
#else
    ASSERT_TRUE(QFile::link(path("p.orb"), path("link.orb")));
    const QString hard = path("hard.orb");
    ASSERT_EQ(
        ::link(QFile::encodeName(path("p.orb")).constData(), QFile::encodeName(hard).constData()),
        0);
    outputs << path("link.orb") << hard;
#endif
    for (const QString &output : outputs) {
        const CliRun run = convert({path("p.orb"), output, QStringLiteral("--overwrite"),
                                    QStringLiteral("--to"), QStringLiteral("orb")});
        EXPECT_EQ(run.exitCode, 1) << qPrintable(output);
        expectOneErrorLine(run);
        EXPECT_EQ(testsupport::readAll(path("p.orb")), original) << qPrintable(output);
    }
}

TEST_F(ConvertCommand, skippedLinesAndFeetAreReportedAndUnitDecimalsKept)
{
    ASSERT_TRUE(QFile::copy(testsupport::dataPath(QStringLiteral("gsi/mixed-lines.gsi")),
                            path("mixed.gsi")));
    CliRun run = convert({path("mixed.gsi"), path("mixed.dat")});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.err.contains("5 lines skipped: 4 without coordinates, 1 not a record"))
        << run.err.constData();
    EXPECT_TRUE(run.out.contains("3 points")) << run.out.constData();

    ASSERT_TRUE(
        QFile::copy(testsupport::dataPath(QStringLiteral("gsi/units.gsi")), path("units.gsi")));
    run = convert({path("units.gsi"), path("units.dat")});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
    EXPECT_TRUE(testsupport::readAll(path("units.dat"))
                    .startsWith("A001,,6563.9031,1234.5678,-0.1234\r\n"
                                "A002,,6563.90312,1234.56789,1.23456\r\n"));

    ASSERT_TRUE(
        QFile::copy(testsupport::dataPath(QStringLiteral("gsi/feet.gsi")), path("feet.gsi")));
    run = convert({path("feet.gsi"), path("feet.orb")});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.err.contains("in feet")) << run.err.constData();
}

TEST_F(ConvertCommand, noValueStaysEmptyInDelimitedFilesAndBecomesDashesInGsi)
{
    ASSERT_TRUE(
        QFile::copy(testsupport::dataPath(QStringLiteral("gsi/no-value.gsi")), path("nv.gsi")));
    EXPECT_EQ(convert({path("nv.gsi"), path("nv.dat")}).exitCode, 0);
    EXPECT_TRUE(testsupport::readAll(path("nv.dat")).startsWith("N001,,100.000,200.000,\r\n"));
    const CliRun run =
        convert({path("nv.dat"), path("nv8.gsi"), QStringLiteral("--to"), QStringLiteral("gsi8")});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    const QByteArray gsi8 = testsupport::readAll(path("nv8.gsi"));
    EXPECT_TRUE(
        gsi8.startsWith("11....+0000N001 81..10+00100000 82..10+00200000 83..10+-------- \r\n"))
        << gsi8.constData();
    // And back: still no value.
    EXPECT_EQ(convert({path("nv8.gsi"), path("back.dat")}).exitCode, 0);
    EXPECT_EQ(testsupport::readAll(path("back.dat")), testsupport::readAll(path("nv.dat")));
}

TEST_F(ConvertCommand, aFileWithoutAPointIsRefusedAndNothingIsWritten)
{
    ASSERT_TRUE(
        QFile::copy(testsupport::dataPath(QStringLiteral("gsi/no-points.gsi")), path("obs.gsi")));
    for (const char *out : {"obs.dat", "obs8.gsi"}) {
        const CliRun run = convert({path("obs.gsi"), path(out)});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("2 without coordinates")) << run.err.constData();
        EXPECT_FALSE(QFile::exists(path(out)));
    }
}
