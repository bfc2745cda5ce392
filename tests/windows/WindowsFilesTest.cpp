// SPDX-License-Identifier: GPL-3.0-or-later
// Windows only: the system code pages, CR LF, device names and drive-letter
// paths as Windows (or Wine) really handles them. scripts/test-windows.sh runs
// this once with code page 1252 and once with 936.

#include "tests/support/TestSupport.h"

#include "core/coordfiles/CoordFileIo.h"
#include "core/dxf/GsiToDxf.h"
#include "core/pcfiles/ProtectedPaths.h"
#include "core/protocol/SafeFileName.h"
#include "core/serial/QtSerialLink.h"
#include "core/text/CodePage.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <qt_windows.h>

namespace {

bool systemIsChinese()
{
    return GetACP() == 936;
}

// Every line break is CR LF: no bare LF, no bare CR, no CR CR LF.
::testing::AssertionResult allLinesEndInCrLf(const QByteArray &bytes)
{
    if (bytes.isEmpty() || !bytes.endsWith("\r\n"))
        return ::testing::AssertionFailure() << "does not end in CR LF";
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const bool cr = bytes[i] == '\r';
        const bool lf = bytes[i] == '\n';
        if (cr && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))
            return ::testing::AssertionFailure() << "bare CR at byte " << i;
        if (lf && (i == 0 || bytes[i - 1] != '\r'))
            return ::testing::AssertionFailure() << "bare LF at byte " << i;
    }
    return ::testing::AssertionSuccess();
}

PointRecord point(const QString &name, const char *e, const char *n, const char *h)
{
    PointRecord p;
    p.number = QStringLiteral("1");
    p.name = name;
    p.easting = QLatin1String(e);
    p.northing = QLatin1String(n);
    p.elevation = QLatin1String(h);
    return p;
}

struct FormatCase
{
    CoordFormat format;
    const char *file;
};

const FormatCase kFormats[] = {
    {CoordFormat::Gsi16, "p16.gsi"}, {CoordFormat::Gsi8, "p8.gsi"},    {CoordFormat::Orb, "p.orb"},
    {CoordFormat::South, "p.dat"},   {CoordFormat::Topcon, "p.pts"}, {CoordFormat::Idx, "p.idx"},
};

class WindowsFiles : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    // Native form: a drive letter and backslashes.
    QString path(const QString &name) const { return QDir::toNativeSeparators(m_dir.filePath(name)); }

    QTemporaryDir m_dir;
};

} // namespace

TEST(WindowsCodePages, comeFromTheSystem)
{
    const auto expected = [](UINT page) {
        return page == 936 ? QByteArray("GBK") : "CP" + QByteArray::number(page);
    };
    EXPECT_EQ(CodePage::ansi().name(), expected(GetACP()));
    EXPECT_EQ(CodePage::oem().name(), expected(GetOEMCP()));
}

TEST_F(WindowsFiles, everyFormatWritesCrLfAndReadsItsNamesBackInTheSystemCodePage)
{
    // Under 936 the names are Chinese, in 1252 Western European.
    const QString name = systemIsChinese() ? QStringLiteral("点二") : QStringLiteral("Müll");
    const QByteArray bytes = CodePage::ansi().encode(name);
    ASSERT_EQ(CodePage::ansi().decode(bytes), name);
    for (const FormatCase &c : kFormats) {
        SCOPED_TRACE(c.file);
        const PointList points({point(name, "1234.567", "2345.678", "12.345"),
                                point(QStringLiteral("P2"), "1.000", "2.000", "3.000")});
        const CoordWriteResult written = CoordFileIo::write(path(c.file), c.format, points, false);
        ASSERT_TRUE(written.ok()) << qPrintable(written.error);
        const QByteArray file = testsupport::readAll(path(c.file));
        EXPECT_TRUE(allLinesEndInCrLf(file));
        EXPECT_TRUE(file.contains(bytes));
        PointList read;
        const CoordReadResult result = CoordFileIo::open(path(c.file), read);
        ASSERT_TRUE(result.ok()) << qPrintable(result.error);
        ASSERT_EQ(read.pointCount(), 2);
        EXPECT_EQ(read.point(0).name, name);
        EXPECT_EQ(read.point(1).name, QStringLiteral("P2"));
    }
}

TEST_F(WindowsFiles, gbkNamesReachTheDrawingUnchanged)
{
    if (!systemIsChinese())
        GTEST_SKIP() << "needs the Chinese code page 936";
    const QByteArray gsi = "*11....+000000000000\xB5\xE3\xB6\xFE 81..10+0000000001000500 "
                           "82..10+0000000002000500 83..10+0000000000100500 \r\n";
    ASSERT_TRUE(testsupport::writeAll(path(QStringLiteral("in.gsi")), gsi));
    const GsiToDxfResult result =
        GsiToDxf::convert(path(QStringLiteral("in.gsi")), path(QStringLiteral("out.dxf")),
                          GsiToDxf::MissingInput::Refuse);
    ASSERT_TRUE(result.ok) << qPrintable(result.error);
    EXPECT_EQ(result.points, 1);
    const QByteArray dxf = testsupport::readAll(path(QStringLiteral("out.dxf")));
    EXPECT_TRUE(allLinesEndInCrLf(dxf));
    EXPECT_TRUE(dxf.contains("\xB5\xE3\xB6\xFE")) << "the label keeps the GBK bytes";
}

TEST_F(WindowsFiles, reservedDeviceNamesBecomeOrdinaryFiles)
{
    for (const char *name : {"CON", "nul", "COM1", "LPT1", "aux.gsi", "PRN"}) {
        SCOPED_TRACE(name);
        const QString safe = SafeFileName::fromName(QLatin1String(name)) + QStringLiteral(".gsi");
        QSaveFile file(path(safe));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("*11....+0000000000000001\r\n");
        ASSERT_TRUE(file.commit()) << qPrintable(file.errorString());
        // A device name would have gone to the device and left no file behind.
        EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files).contains(safe));
        EXPECT_EQ(testsupport::readAll(path(safe)), QByteArray("*11....+0000000000000001\r\n"));
    }
}

TEST(WindowsPorts, aPortNumberNamesTheComPort)
{
    EXPECT_EQ(serialPortNameForNumber(1), QStringLiteral("COM1"));
    EXPECT_EQ(serialPortNameForNumber(9), QStringLiteral("COM9"));
    EXPECT_EQ(serialPortNameForNumber(16), QStringLiteral("COM16"));
    EXPECT_TRUE(serialPortNameForNumber(0).isEmpty());
}

TEST(WindowsDrives, drivesAndTheirRootsAreNeverDeleted)
{
    const ProtectedPaths paths;
    ASSERT_FALSE(QDir::drives().isEmpty());
    for (const QFileInfo &drive : QDir::drives()) {
        const QString root = drive.absoluteFilePath(); // "C:/"
        EXPECT_TRUE(paths.covers(root)) << qPrintable(root);
        EXPECT_TRUE(paths.covers(QDir::toNativeSeparators(root))) << qPrintable(root);
        EXPECT_TRUE(paths.covers(root.left(2))) << qPrintable(root); // "C:"
        EXPECT_TRUE(paths.covers(root.toLower())) << qPrintable(root);
    }
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(paths.covers(QDir::toNativeSeparators(dir.path())));
}

TEST_F(WindowsFiles, convertAndGsi2dxfTakeDriveLetterPathsWithBackslashes)
{
    const QString in = path(QStringLiteral("in.orb"));
    ASSERT_TRUE(testsupport::writeAll(in, "1,P1,200.000,100.000,3.000\r\n"));
    ASSERT_TRUE(in.at(1) == u':' && in.contains(u'\\')) << qPrintable(in);

    testsupport::ProgramRun run = testsupport::runProgram(
        QStringLiteral("rqtcom-cli"), {QStringLiteral("convert"), in, path(QStringLiteral("out.gsi"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QByteArray gsi = testsupport::readAll(path(QStringLiteral("out.gsi")));
    EXPECT_TRUE(gsi.startsWith("*11....+")) << gsi.constData();
    EXPECT_TRUE(allLinesEndInCrLf(gsi));

    run = testsupport::runProgram(QStringLiteral("rqtcom-cli"),
                                  {QStringLiteral("gsi2dxf"), path(QStringLiteral("out.gsi")),
                                   path(QStringLiteral("out.dxf"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QByteArray dxf = testsupport::readAll(path(QStringLiteral("out.dxf")));
    EXPECT_TRUE(dxf.endsWith("EOF\r\n"));
    EXPECT_TRUE(allLinesEndInCrLf(dxf));
}
