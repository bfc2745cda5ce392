// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dxf/GsiToDxf.h"
#include "core/dxf/DxfWriter.h"
#include "core/text/CodePage.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

GsiToDxfResult convertBytes(QByteArray gsi, QByteArray *dxf)
{
    QBuffer in(&gsi);
    in.open(QIODevice::ReadOnly);
    QBuffer out(dxf);
    out.open(QIODevice::WriteOnly);
    return GsiToDxf::convert(in, out);
}

const QByteArray kLine8 = "11....+00000012 81..10+00100000 82..10+00200000 83..10+00000000 ";

QString python()
{
    // Debian's interpreter, where python3-ezdxf lives, even under a pyenv shim.
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
}

bool haveEzdxf()
{
    QProcess p;
    p.start(python(), {QStringLiteral("-c"), QStringLiteral("import ezdxf")});
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

qsizetype emptyDrawingLines()
{
    return testsupport::readAll(testsupport::dataPath("dxf/empty.dxf")).count("\r\n");
}

} // namespace

TEST(GsiToDxf, threePointFileGivesThreeEntityPairs)
{
    const testsupport::ScopedAnsiCodePage page("CP1252"); // the golden file's
    QByteArray dxf;
    const GsiToDxfResult result =
        convertBytes(testsupport::readAll(testsupport::dataPath("dxf/three.gsi")), &dxf);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.points, 3);
    EXPECT_EQ(dxf, testsupport::readAll(testsupport::dataPath("dxf/three.dxf")));
    EXPECT_EQ(GsiToDxf::doneMessage(result.points),
              QStringLiteral("Writing dxf file done, 3 Point convert OK !"));
}

TEST(GsiToDxf, fileWithoutAPointGivesTheEmptyDrawing)
{
    const testsupport::ScopedAnsiCodePage page("CP1252");
    const QByteArray empty = testsupport::readAll(testsupport::dataPath("dxf/empty.dxf"));
    for (const QByteArray &gsi : {QByteArray(), QByteArray("410001+?......2 42....+0JOB \r\n"),
                                  QByteArray("END OF JOB\r\n")}) {
        QByteArray dxf;
        const GsiToDxfResult result = convertBytes(gsi, &dxf);
        EXPECT_TRUE(result.ok);
        EXPECT_EQ(result.points, 0);
        EXPECT_EQ(dxf, empty);
    }
}

TEST(GsiToDxf, crLfLfAndCrAloneConvertAlike)
{
    QByteArray a, b, c;
    convertBytes(kLine8 + "\r\n" + kLine8 + "\r\n", &a);
    convertBytes(kLine8 + "\n" + kLine8 + "\n", &b);
    convertBytes(kLine8 + "\r" + kLine8 + "\r", &c);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, c);
    EXPECT_TRUE(a.contains("1\r\n12  0.0000\r\n"));
    // The only blanks besides the tables' are the two of each label.
    EXPECT_EQ(a.count(' '),
              testsupport::readAll(testsupport::dataPath("dxf/empty.dxf")).count(' ') + 4);
}

TEST(GsiToDxf, controlBytesInANameCannotBreakTheDrawingsLines)
{
    // (A CR or LF ends the line itself: old files end their lines with a CR alone.)
    QByteArray line = kLine8;
    line[9] = '\x01';
    line[10] = '\0';
    QByteArray dxf;
    EXPECT_EQ(convertBytes(line + "\n", &dxf).points, 1);
    const qsizetype emptyLines = emptyDrawingLines();
    EXPECT_EQ(dxf.count("\r\n"), emptyLines + 24);
    EXPECT_EQ(dxf.count('\r'), emptyLines + 24);
    EXPECT_TRUE(dxf.contains("\r\n??0012  0.0000\r\n"));
}

TEST(GsiToDxf, finerUnitsKeepTheirDecimalsAndAMissingHeightIsNeverLabelled)
{
    QByteArray dxf;
    const GsiToDxfResult result =
        convertBytes("*110001+000000000000A001 81..08+0000000656390312 82..06+0000000012345678"
                     " 83..00+00000000000----- \r\n"
                     "110002+0000A002 81..00+00100000 82..00+00200000\r\n",
                     &dxf);
    EXPECT_EQ(result.points, 2);
    EXPECT_TRUE(dxf.contains("10\r\n6563.90312\r\n20\r\n1234.5678\r\n30\r\n0.0000\r\n"))
        << dxf.constData();
    EXPECT_TRUE(dxf.contains("\r\n1\r\nA001\r\n")) << dxf.constData();
    EXPECT_TRUE(dxf.contains("\r\n1\r\nA002\r\n")) << dxf.constData();
    EXPECT_FALSE(dxf.contains("A001  ")) << dxf.constData();
}

TEST(GsiToDxf, theCommandLineRunRefusesAFileWithoutAPointAndWritesNothing)
{
    QTemporaryDir dir;
    const QString gsi = dir.filePath(QStringLiteral("obs.gsi"));
    const QString out = dir.filePath(QStringLiteral("obs.dxf"));
    testsupport::writeAll(gsi, "110001+00000001 21.324+09000000 22.324+09000000 \r\n");
    GsiToDxfResult result = GsiToDxf::convert(gsi, out, GsiToDxf::MissingInput::Refuse);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("1 without coordinates")))
        << qPrintable(result.error);
    EXPECT_FALSE(QFile::exists(out));
    // The window's run still draws the empty drawing.
    result = GsiToDxf::convert(gsi, out, GsiToDxf::MissingInput::EmptyDrawing);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.points, 0);
}

TEST(GsiToDxf, pathRunRefusesToOverwriteItsInput)
{
    QTemporaryDir dir;
    const QString gsi = dir.filePath(QStringLiteral("points.gsi"));
    testsupport::writeAll(gsi, kLine8 + "\r\n");
    QStringList outs = {gsi, dir.path() + QStringLiteral("/./points.gsi")};
#ifdef Q_OS_WIN
    // The same file by another spelling; QFile::link makes a shortcut here, no link.
    outs << QDir::toNativeSeparators(gsi) << dir.filePath(QStringLiteral("POINTS.GSI"));
#else
    const QString link = dir.filePath(QStringLiteral("link.gsi"));
    ASSERT_TRUE(QFile::link(gsi, link));
    outs << link;
#endif
    for (const QString &out : outs) {
        const GsiToDxfResult result = GsiToDxf::convert(gsi, out, GsiToDxf::MissingInput::Refuse);
        EXPECT_FALSE(result.ok) << qPrintable(out);
        EXPECT_EQ(testsupport::readAll(gsi), kLine8 + "\r\n");
    }
}

TEST(GsiToDxf, unreadableInputEitherRefusesOrGivesTheEmptyDrawing)
{
    const testsupport::ScopedAnsiCodePage page("CP1252");
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.dxf"));
    GsiToDxfResult result = GsiToDxf::convert(dir.filePath(QStringLiteral("none.gsi")), out,
                                              GsiToDxf::MissingInput::Refuse);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(QFile::exists(out));

    result = GsiToDxf::convert(QString(), out, GsiToDxf::MissingInput::EmptyDrawing);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.points, 0);
    EXPECT_EQ(testsupport::readAll(out),
              testsupport::readAll(testsupport::dataPath("dxf/empty.dxf")));
}

TEST(GsiToDxf, existingDrawingIsReplacedOnlyWhenTheRunSucceeds)
{
    QTemporaryDir dir;
    const QString gsi = dir.filePath(QStringLiteral("p.gsi"));
    const QString out = dir.filePath(QStringLiteral("p.dxf"));
    testsupport::writeAll(gsi, kLine8 + "\r\n");
    testsupport::writeAll(out, "old drawing");
    EXPECT_FALSE(GsiToDxf::convert(dir.filePath(QStringLiteral("x.gsi")), out,
                                   GsiToDxf::MissingInput::Refuse)
                     .ok);
    EXPECT_EQ(testsupport::readAll(out), "old drawing");
    EXPECT_TRUE(GsiToDxf::convert(gsi, out, GsiToDxf::MissingInput::Refuse).ok);
    EXPECT_TRUE(testsupport::readAll(out).startsWith("0\r\nSECTION\r\n"));
}

TEST(GsiToDxf, aDxfReaderFindsEveryPointAndLabel)
{
    if (!haveEzdxf())
        GTEST_SKIP() << "python3-ezdxf is not installed";
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("three.dxf"));
    const GsiToDxfResult result = GsiToDxf::convert(testsupport::dataPath("dxf/three.gsi"), out,
                                                    GsiToDxf::MissingInput::Refuse);
    ASSERT_TRUE(result.ok);
    QProcess p;
    p.start(python(), {QStringLiteral(RQT_DXF_CHECK_SCRIPT), out});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QByteArray listed = p.readAllStandardOutput();
    EXPECT_EQ(listed, "POINT POINT 100.0000 200.0000 0.0000\n"
                      "TEXT ANNOTATION 100.0000 200.0000 1.0 [12  0.0000]\n"
                      "POINT POINT -1234.5670 0.5000 12.3450\n"
                      "TEXT ANNOTATION -1234.5670 0.5000 1.0 [PT7  12.3450]\n"
                      "POINT POINT 1.0000 2.0000 -3.0010\n"
                      "TEXT ANNOTATION 1.0000 2.0000 1.0 [  -3.0010]\n"
                      "LAYERS ATTRIBUTE LINE ANNOTATION PLANFORM SYMBOL POINT 0 Defpoints\n"
                      "HEADER AC1009 " +
                          DxfWriter::drawingCodePage(CodePage::ansi().name()) +
                          "\n"
                          "AUDIT 0\n");
}
