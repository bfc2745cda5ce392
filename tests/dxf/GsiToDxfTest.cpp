#include "dxf/GsiToDxf.h"

#include "TestSupport.h"

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

} // namespace

TEST(GsiToDxf, threePointFileGivesThreeEntityPairs)
{
    QByteArray dxf;
    const GsiToDxfResult result =
        convertBytes(testsupport::readAll(testsupport::dataPath("dxf/three.gsi")), &dxf);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.points, 3);
    EXPECT_EQ(dxf, testsupport::readAll(testsupport::dataPath("dxf/three.dxf")));
    EXPECT_EQ(GsiToDxf::doneMessage(result.points),
              QStringLiteral("Writing dxf file done, 3 Point convert OK !"));
}

TEST(GsiToDxf, fileOfNeitherFormGivesTheEmptyDrawing)
{
    const QByteArray empty = testsupport::readAll(testsupport::dataPath("dxf/empty.dxf"));
    for (const QByteArray &gsi : {QByteArray(), QByteArray("410001+?......2 42....+0JOB \r\n"),
                                  QByteArray("\xEF\xBB\xBF") + kLine8}) {
        QByteArray dxf;
        const GsiToDxfResult result = convertBytes(gsi, &dxf);
        EXPECT_TRUE(result.ok);
        EXPECT_EQ(result.points, 0);
        EXPECT_EQ(dxf, empty);
    }
}

TEST(GsiToDxf, crLfAndLfFilesConvertAlike)
{
    QByteArray a, b;
    convertBytes(kLine8 + "\r\n" + kLine8 + "\r\n", &a);
    convertBytes(kLine8 + "\n" + kLine8 + "\n", &b);
    EXPECT_EQ(a, b);
    EXPECT_TRUE(a.contains("1\r\n12  0.0000\r\n"));
    // The only blanks are the two of each label.
    EXPECT_EQ(a.count(' '), 4);
}

TEST(GsiToDxf, controlBytesInANameCannotBreakTheDrawingsLines)
{
    QByteArray line = kLine8;
    line[9] = '\r';
    line[10] = '\0';
    QByteArray dxf;
    EXPECT_EQ(convertBytes(line + "\n", &dxf).points, 1);
    EXPECT_EQ(dxf.count("\r\n"), 86 + 24);
    EXPECT_EQ(dxf.count('\r'), 86 + 24);
    EXPECT_TRUE(dxf.contains("\r\n??0012  0.0000\r\n"));
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
                      "LAYERS ATTRIBUTE LINE ANNOTATION PLANFORM SYMBOL POINT 0 Defpoints\n");
}
