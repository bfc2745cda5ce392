// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using CliRun = testsupport::ProgramRun;

CliRun cli(const QStringList &args)
{
    return testsupport::runProgram(QStringLiteral("rqtcom-cli"),
                                   QStringList{QStringLiteral("gsi2dxf")} + args);
}

const QByteArray kLine16 = "*110012+0000000000000012 81..00+0000000000100000"
                           " 82..00+0000000000200000 83..00-0000000000001500 ";

qsizetype emptyDrawingLines()
{
    return testsupport::readAll(testsupport::dataPath("dxf/empty.dxf")).count("\r\n");
}

} // namespace

TEST(Gsi2DxfCommand, convertsAnyExtensionAndPrintsTheCount)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("POINTS.TXT"));
    const QString out = dir.filePath(QStringLiteral("points.dxf"));
    testsupport::writeAll(in, kLine16 + "\r\n" + kLine16 + "\r\n");
    const CliRun run = cli({in, out});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Writing dxf file done, 2 Point convert OK !\n");
    EXPECT_TRUE(run.err.isEmpty());
    const QByteArray dxf = testsupport::readAll(out);
    EXPECT_EQ(dxf.count("\r\n"), emptyDrawingLines() + 2 * 24);
    EXPECT_TRUE(dxf.contains("30\r\n-1.5000\r\n"));
}

TEST(Gsi2DxfCommand, aFileWithoutAPointIsRefusedWithAReasonAndNoDrawing)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("obs.gsi"));
    const QString out = dir.filePath(QStringLiteral("obs.dxf"));
    testsupport::writeAll(in, "*110002+00000000GDEM5415 21.024+0000000003545100 "
                              "22.024+0000000009117510 87...0+0000000000001300 \r\n");
    const CliRun run = cli({in, out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains("no coordinate file")) << run.err.constData();
    EXPECT_TRUE(run.err.contains("1 without coordinates")) << run.err.constData();
    EXPECT_FALSE(QFile::exists(out));
}

TEST(Gsi2DxfCommand, missingInputOrInputAsOutputIsExitOneWithoutOutput)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("x.dxf"));
    CliRun run = cli({dir.filePath(QStringLiteral("missing.gsi")), out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith("rqtcom-cli: "));
    EXPECT_EQ(run.err.count('\n'), 1);
    EXPECT_FALSE(QFile::exists(out));

    run = cli({dir.path(), out}); // a folder is no readable file
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(QFile::exists(out));

    const QString in = dir.filePath(QStringLiteral("p.gsi"));
    testsupport::writeAll(in, kLine16 + "\r\n");
    run = cli({in, in});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(testsupport::readAll(in), kLine16 + "\r\n");

    run = cli({in, dir.filePath(QStringLiteral("no/such/folder/x.dxf"))});
    EXPECT_EQ(run.exitCode, 1);
}

TEST(Gsi2DxfCommand, usageErrorsAndHelp)
{
    EXPECT_EQ(cli({}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("a.gsi")}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("--to"), QStringLiteral("a"), QStringLiteral("b")}).exitCode, 2);
    const CliRun help = cli({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: rqtcom-cli gsi2dxf INPUT OUTPUT"));
}

TEST(Gsi2DxfCommand, skippedLinesAreCountedByReasonAndReadingGoesOn)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("p.gsi"));
    testsupport::writeAll(in, kLine16 + "\r\nEND\r\n410001+00000017 42....+000CURB1 \r\n" +
                                  kLine16 + "\r\n");
    const CliRun run = cli({in, dir.filePath(QStringLiteral("p.dxf"))});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Writing dxf file done, 2 Point convert OK !\n");
    EXPECT_TRUE(run.err.contains("2 lines skipped: 1 without coordinates, 1 not a record"))
        << run.err.constData();
}

TEST(Gsi2DxfCommand, aFileInFeetIsSaidToBeInFeet)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("f.gsi"));
    testsupport::writeAll(in,
                          "110001+0000F001 81..01+00328084 82..01+00656168 83..01+00003281\r\n");
    const CliRun run = cli({in, dir.filePath(QStringLiteral("f.dxf"))});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("in feet")) << run.err.constData();
    EXPECT_TRUE(testsupport::readAll(dir.filePath(QStringLiteral("f.dxf"))).contains("328.0840"));
}

TEST(Gsi2DxfCommand, anExistingDrawingIsReplacedOnlyWithOverwrite)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("p.gsi"));
    const QString out = dir.filePath(QStringLiteral("p.dxf"));
    testsupport::writeAll(in, kLine16 + "\r\n");
    testsupport::writeAll(out, "earlier");
    CliRun run = cli({in, out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("--overwrite")) << run.err.constData();
    EXPECT_EQ(testsupport::readAll(out), QByteArray("earlier"));

    run = cli({in, out, QStringLiteral("--overwrite")});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(testsupport::readAll(out).startsWith("0\r\nSECTION"));
}
