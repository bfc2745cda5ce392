// SPDX-License-Identifier: GPL-3.0-or-later
// Every writer on a disk that fills up: the failure is reported with the
// system's reason, and a file already under the name is kept as it was.

#include "tests/support/FailingDevice.h"
#include "tests/support/TestSupport.h"

#include "core/coordfiles/CoordFileIo.h"
#include "core/coordfiles/FormatTable.h"
#include "core/coordfiles/GsiWriter.h"
#include "core/coordfiles/PointRecord.h"
#include "core/dxf/GsiToDxf.h"
#include "core/protocol/DownloadWriter.h"

#include <QBuffer>
#include <QDir>

#include <QTemporaryDir>
#include <vector>

#include <gtest/gtest.h>

using testsupport::readAll;
using testsupport::writeAll;

namespace {

const QByteArray kGood = "the good file\r\n";
// Far below what the writers below produce, far above nothing.
constexpr qint64 kLimit = 200;

PointList somePoints(int count)
{
    PointList points;
    for (int i = 1; i <= count; ++i) {
        const QString n = QString::number(i);
        points.append({n, QStringLiteral("P") + n, QStringLiteral("500123.456"),
                       QStringLiteral("3012345.678"), QStringLiteral("45.120"), QString()});
    }
    return points;
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// Every format the table can write without a coordinate system, so a format
// added to the table is tried on a full disk too.
std::vector<CoordFormat> writableFormats()
{
    std::vector<CoordFormat> formats;
    for (const FormatInfo &info : FormatTable::all()) {
        if (info.writable() && !info.needsCrs)
            formats.push_back(info.format);
    }
    return formats;
}
const std::vector<CoordFormat> kFormats = writableFormats();

bool isNoSpace(const QString &reason)
{
    return reason.contains(qt_error_string(ENOSPC));
}

} // namespace

TEST(WriterFailure, coordFileWritersReportADeviceThatFailsOnWriteOrOnFlush)
{
    const PointList points = somePoints(50);
    // 0: the first write fails; 100: the writer's final flush is cut short.
    for (const qint64 capacity : {qint64(0), qint64(100)}) {
        for (const CoordFormat format : kFormats) {
            SCOPED_TRACE(CoordFileIo::formatName(format).toStdString() + " capacity " +
                         std::to_string(capacity));
            FailingDevice device(capacity);
            const CoordWriteResult result = CoordFileIo::write(device, format, points, true);
            EXPECT_FALSE(result.ok());
            EXPECT_TRUE(isNoSpace(result.error)) << result.error.toStdString();
        }
    }
}

TEST(WriterFailure, gsiWriterAndDxfReportADeviceThatFails)
{
    const PointList points = somePoints(50);
    for (const qint64 capacity : {qint64(0), qint64(100)}) {
        FailingDevice gsi(capacity);
        const GsiWriteResult written = GsiWriter::write(gsi, points, GsiVariant::Gsi16, false);
        EXPECT_FALSE(written.ok);
        EXPECT_TRUE(isNoSpace(written.error)) << written.error.toStdString();

        QByteArray lines;
        QBuffer source(&lines);
        source.open(QIODevice::WriteOnly);
        ASSERT_TRUE(GsiWriter::write(source, points, GsiVariant::Gsi16, false).ok);
        source.close();
        source.open(QIODevice::ReadOnly);
        FailingDevice dxf(capacity);
        const GsiToDxfResult drawn = GsiToDxf::convert(source, dxf);
        EXPECT_FALSE(drawn.ok);
        EXPECT_TRUE(isNoSpace(drawn.error)) << drawn.error.toStdString();
    }
}

TEST(WriterFailure, saveOnAFullDiskKeepsTheFileInEveryFormat)
{
    QTemporaryDir dir;
    const PointList points = somePoints(50);
    for (const CoordFormat format : kFormats) {
        SCOPED_TRACE(CoordFileIo::formatName(format).toStdString());
        const QString path = dir.filePath(QStringLiteral("points.out"));
        ASSERT_TRUE(writeAll(path, kGood));
        CoordWriteResult result;
        {
            FileSizeLimit limit(kLimit);
            if (!limit.active())
                GTEST_SKIP() << "no file size limit on this system";
            result = CoordFileIo::write(path, format, points, true);
        }
        EXPECT_EQ(result.status, CoordWriteResult::Status::Failed);
        EXPECT_EQ(result.error, qt_error_string(EFBIG));
        EXPECT_EQ(readAll(path), kGood);
        EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("points.out")});
    }
}

TEST(WriterFailure, gsiWriterAndConverterOnAFullDiskKeepTheFile)
{
    QTemporaryDir dir;
    const QString gsiPath = dir.filePath(QStringLiteral("points.gsi"));
    const QString dxfPath = dir.filePath(QStringLiteral("points.dxf"));
    const PointList points = somePoints(50);
    ASSERT_TRUE(GsiWriter::write(gsiPath, points, GsiVariant::Gsi16, false).ok);
    const QByteArray gsiBytes = readAll(gsiPath);
    ASSERT_TRUE(writeAll(dxfPath, kGood));

    GsiWriteResult written;
    GsiToDxfResult drawn;
    {
        FileSizeLimit limit(kLimit);
        if (!limit.active())
            GTEST_SKIP() << "no file size limit on this system";
        written = GsiWriter::write(gsiPath, points, GsiVariant::Gsi8, false);
        drawn = GsiToDxf::convert(gsiPath, dxfPath, GsiToDxf::MissingInput::Refuse);
    }
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.error, qt_error_string(EFBIG));
    EXPECT_EQ(readAll(gsiPath), gsiBytes);
    EXPECT_FALSE(drawn.ok);
    EXPECT_TRUE(drawn.error.contains(qt_error_string(EFBIG))) << drawn.error.toStdString();
    EXPECT_EQ(readAll(dxfPath), kGood);
    EXPECT_EQ(entries(dir.path()).size(), 2);
}

TEST(WriterFailure, downloadOnAFullDiskIsNotCommittedAndKeepsTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("JOB.gsi"));
    ASSERT_TRUE(writeAll(path, kGood));
    DownloadWriter writer;
    ASSERT_TRUE(writer.open(path, true)) << writer.errorString().toStdString();
    bool committed = true;
    {
        FileSizeLimit limit(kLimit);
        if (!limit.active())
            GTEST_SKIP() << "no file size limit on this system";
        for (int i = 0; i < 20; ++i)
            EXPECT_TRUE(
                writer.appendRawLine("*110001+0000000000000001 81..00+0000000500123456\r\n"));
        committed = writer.commit();
    }
    EXPECT_FALSE(committed);
    EXPECT_TRUE(writer.errorString().contains(qt_error_string(EFBIG)))
        << writer.errorString().toStdString();
    EXPECT_EQ(readAll(path), kGood);
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("JOB.gsi")});
}

TEST(WriterFailure, commandLineConversionsOnAFullDiskFailAndCreateNothing)
{
    QTemporaryDir dir;
    const QString gsiPath = dir.filePath(QStringLiteral("points.gsi"));
    ASSERT_TRUE(GsiWriter::write(gsiPath, somePoints(50), GsiVariant::Gsi16, false).ok);
    const struct
    {
        const char *command;
        const char *output;
    } runs[] = {{"convert", "points.orb"}, {"gsi2dxf", "points.dxf"}};
    for (const auto &run : runs) {
        SCOPED_TRACE(run.command);
        const QString output = dir.filePath(QString::fromLatin1(run.output));
        testsupport::ProgramRun result;
        {
            FileSizeLimit limit(kLimit);
            if (!limit.active())
                GTEST_SKIP() << "no file size limit on this system";
            result = testsupport::runProgram(QStringLiteral("rqtcom-cli"),
                                             {QString::fromLatin1(run.command), gsiPath, output});
        }
        EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(qt_error_string(EFBIG).toUtf8()))
            << result.err.toStdString();
        EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("points.gsi")});
    }
}
