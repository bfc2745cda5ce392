#include "DelimitedTestPoints.h"
#include "TestSupport.h"

#include "coordfiles/CoordFileIo.h"
#include "coordfiles/IdxReader.h"

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
    EXPECT_FALSE(reader.readLine("HEADER", point));
    EXPECT_FALSE(reader.readLine("  END UNITS", point));
    EXPECT_EQ(reader.state(), IdxReadState::Outside);
    EXPECT_FALSE(reader.readLine("DATABASE", point));
    EXPECT_EQ(reader.state(), IdxReadState::InDatabase);
    EXPECT_FALSE(reader.readLine("  POINTS (PointNo)", point));
    EXPECT_EQ(reader.state(), IdxReadState::InPoints);
    EXPECT_TRUE(reader.readLine("    7,  \"K7\",  \"\",    1.5,  2.5,  3.5,  FIX;", point));
    EXPECT_EQ(point, makePoint("7", "K7", "1.5", "2.5", "3.5"));
    EXPECT_FALSE(reader.readLine("    THEMINFO (PointNo,PointID,Attribute,Value)", point));
    EXPECT_EQ(reader.state(), IdxReadState::Outside);
}

TEST(IdxReader, linesOutsideThePointsSectionAreNotPoints)
{
    const QByteArray stray = "    1,  \"X\",  \"\",    1,  2,  3,  FIX;\r\n";
    const QByteArray bytes = stray + kDatabaseStart + stray + kDatabaseEnd + stray;
    EXPECT_EQ(readIdx(bytes).pointCount(), 1);
}

TEST(IdxReader, aLineBeginningWithDGoesBackToTheDatabaseSection)
{
    const QByteArray bytes = kDatabaseStart + "    1,  \"A\",  \"\",    1,  2,  3,  FIX;\r\n" +
                             "DX,  \"B\",  \"\",    1,  2,  3,  FIX;\r\n" +
                             "    3,  \"C\",  \"\",    1,  2,  3,  FIX;\r\n";
    EXPECT_EQ(numbers(readIdx(bytes)), QStringList({"1"}));
}

TEST(IdxReader, aPointNumberBeginningWithTIsReadAndTheRestOfTheFileToo)
{
    const QByteArray bytes = kDatabaseStart + "    T1,  \"A\",  \"\",    1,  2,  3,  FIX;\r\n" +
                             "    T2,  \"B\",  \"\",    4,  5,  6,  FIX;  \r\n" +
                             "    8,  \"C\",  \"\",    7,  8,  9,  FIX;\r\n" + kDatabaseEnd;
    EXPECT_EQ(numbers(readIdx(bytes)), QStringList({"T1", "T2", "8"}));
}

TEST(IdxReader, fieldsLoseLeadingBlanksAndTheNameItsQuotes)
{
    IdxReader reader;
    PointRecord point;
    reader.readLine("DATABASE", point);
    reader.readLine("  POINTS", point);
    ASSERT_TRUE(reader.readLine("      12,\"A B\" ,  \"code\",  9 ,   8,7", point));
    PointRecord expected = makePoint("12", "A B\" ", "9 ", "8", "7");
    expected.code = QStringLiteral("code");
    EXPECT_EQ(point, expected);
    ASSERT_TRUE(reader.readLine("    13", point));
    EXPECT_EQ(point, makePoint("13", "", "", "", ""));
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
