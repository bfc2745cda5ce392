// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/core/coordfiles/delimited/DelimitedTestPoints.h"
#include "tests/support/TestSupport.h"

#include "core/coordfiles/CoordFileIo.h"
#include "core/coordfiles/FieldDecoder.h"
#include "core/coordfiles/IdxReader.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray kDatabaseStart = "DATABASE\r\n"
                                  "  POINTS (PointNo,PointID,Code,East,North,Elevation,CLASS)\r\n";
const QByteArray kDatabaseEnd = "    THEMINFO (PointNo,PointID,Attribute,Value)\r\n"
                                "    END THEMINFO\r\n"
                                "  END POINTS\r\n"
                                "END DATABASE\r\n";

PointList readIdx(const QByteArray &bytes)
{
    PointList points;
    ByteDevice device(bytes);
    EXPECT_TRUE(CoordFileIo::read(device, CoordFormat::Idx, points).ok());
    return points;
}

QStringList numbers(const PointList &points)
{
    QStringList out;
    for (const PointRecord &p : points.points())
        out << p.number;
    return out;
}

} // namespace

TEST(IdxReader, followsTheSectionsOfAFileAsWritten)
{
    IdxReader reader;
    PointRecord point;
    const FieldDecoder decoder;
    using Line = IdxReader::Line;
    EXPECT_EQ(reader.readLine("HEADER", decoder, 0, point), Line::Keyword);
    EXPECT_EQ(
        reader.readLine("    7,  \"K7\",  \"\",    1.5,  2.5,  3.5,  FIX;", decoder, 0, point),
        Line::Keyword);
    EXPECT_EQ(reader.readLine("DATABASE", decoder, 0, point), Line::Keyword);
    EXPECT_EQ(reader.readLine("  POINTS (PointNo,PointID,Code,East,North,Elevation,CLASS)", decoder,
                              0, point),
              Line::Keyword);
    EXPECT_TRUE(reader.inPoints());
    EXPECT_EQ(
        reader.readLine("    7,  \"K7\",  \"\",    1.5,  2.5,  3.5,  FIX;", decoder, 0, point),
        Line::Point);
    EXPECT_EQ(point, makePoint("7", "K7", "1.5", "2.5", "3.5"));
    EXPECT_EQ(reader.readLine("    THEMINFO (PointNo,PointID,Attribute,Value)", decoder, 1, point),
              Line::Keyword);
    EXPECT_EQ(reader.readLine("      7, \"K7\", \"A\", \"B\";", decoder, 1, point), Line::Keyword);
    EXPECT_EQ(reader.readLine("    END THEMINFO", decoder, 1, point), Line::Keyword);
    EXPECT_TRUE(reader.inPoints());
    EXPECT_EQ(reader.readLine("  END POINTS", decoder, 1, point), Line::Keyword);
    EXPECT_FALSE(reader.inPoints());
}

TEST(IdxReader, linesOutsideThePointsSectionAreNotPoints)
{
    const QByteArray stray = "    1,  \"X\",  \"\",    1,  2,  3,  FIX;\r\n";
    const QByteArray bytes = stray + kDatabaseStart + stray + kDatabaseEnd + stray;
    EXPECT_EQ(readIdx(bytes).pointCount(), 1);
}

TEST(IdxReader, recordsAreTheLinesEndingInTheTerminatorWhateverTheyBeginWith)
{
    const QByteArray bytes = kDatabaseStart + "    T1,  \"A\",  \"\",    1,  2,  3,  FIX;\r\n" +
                             "DX,  \"B\",  \"\",    4,  5,  6,  FIX;  \r\n" +
                             "    8,  \"C\",  \"\",    7,  8,  9,  FIX;\r\n" + kDatabaseEnd;
    EXPECT_EQ(numbers(readIdx(bytes)), QStringList({"T1", "DX", "8"}));
}

TEST(IdxReader, aFileOfAnotherProgramIsReadByItsHeader)
{
    PointList points;
    const CoordReadResult result = CoordFileIo::open(
        testsupport::dataPath(QStringLiteral("delimited/tab-indented.idx")), points);
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(points.pointCount(), 3);
    PointRecord first = makePoint("101", "K1", "6535026.390000", "6042802.380000", "12.500000");
    first.code = QStringLiteral("CURB");
    EXPECT_EQ(points.point(0), first);
    EXPECT_EQ(points.point(1), makePoint("102", "K 2", "6534991.920000", "6042798.240000", ""));
    EXPECT_EQ(points.point(2).number, QStringLiteral("T4"));
    // 103 has no easting; 105 lacks its terminator.
    EXPECT_EQ(result.skipped.noValue, 1);
    EXPECT_EQ(result.skipped.notRecord, 1);
}

TEST(IdxReader, columnsWithoutANumberAreCountedAndNamesComparedWithoutCase)
{
    const QByteArray bytes =
        "database\r\n points(NORTH,east,pointid)\r\n"
        " 2.5, 1.5, \"A\";\r\n 4.5, 3.5, \"B\";\r\n end points\r\nend database\r\n";
    const PointList points = readIdx(bytes);
    ASSERT_EQ(points.pointCount(), 2);
    EXPECT_EQ(points.point(1), makePoint("2", "B", "3.5", "4.5", ""));
}

TEST(IdxReader, theSampleFromAnotherProgramReadsItsPoints)
{
    const QString path =
        testsupport::samplesPath(QStringLiteral("idx/tab-indented-other-columns.idx"));
    if (path.isEmpty())
        GTEST_SKIP() << "sample files not present";
    PointList points;
    ASSERT_TRUE(CoordFileIo::open(path, points).ok());
    ASSERT_GT(points.pointCount(), 0);
    EXPECT_EQ(points.point(0),
              makePoint("1900001", "D1965", "6535026.390000", "6042802.380000", "0.000000"));
}

TEST(IdxReader, everyReadStartsOutsideTheDatabaseSection)
{
    // The first file ends inside its points section.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString first = dir.filePath(QStringLiteral("cut.idx"));
    const QString second = dir.filePath(QStringLiteral("notes.idx"));
    ASSERT_TRUE(testsupport::writeAll(first, kDatabaseStart + "    1,  \"A\",  \"\",    1,  2,  "
                                                              "3,  FIX;\r\n"));
    ASSERT_TRUE(testsupport::writeAll(second, "    5,  \"Z\",  \"\",    1,  2,  3,  FIX;\r\n"));
    PointList points;
    ASSERT_TRUE(CoordFileIo::open(first, points).ok());
    EXPECT_EQ(points.pointCount(), 1);
    ASSERT_TRUE(CoordFileIo::open(second, points).ok());
    EXPECT_EQ(points.pointCount(), 0);
}

TEST(IdxReader, theGoldenFileReadsBackToItsPoints)
{
    const PointList points =
        readIdx(testsupport::readAll(testsupport::dataPath(QStringLiteral("delimited/three.idx"))));
    EXPECT_EQ(points.points(), goldenPoints().points());
}
