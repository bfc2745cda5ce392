// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/core/coordfiles/formats/FormatTestPoints.h"
#include "tests/support/TestSupport.h"

#include "core/coordfiles/CsvReader.h"

#include <gtest/gtest.h>

namespace {

QString dataFile(const char *name)
{
    return testsupport::dataPath(QStringLiteral("formats/") + QLatin1String(name));
}

} // namespace

TEST(Csv, writesHeaderAndQuotesFieldsHoldingTheSeparatorOrQuotes)
{
    CoordWriteResult written;
    const QByteArray bytes = writeToBytes(CoordFormat::Csv, formatTestPoints(), &written);
    ASSERT_TRUE(written.ok()) << written.error.toStdString();
    EXPECT_EQ(written.pointCount, 3);
    EXPECT_EQ(bytes, QByteArray("\xEF\xBB\xBFName,Code,East,North,Elevation\r\n"
                                "CP1,STN,500987.654,3405123.456,45.678\r\n"
                                "\"A,\"\"B\"\"\",fence,501000.25,3405130,\r\n") +
                         QStringLiteral("测点3,,501010.75,3405140.5,47.25\r\n").toUtf8());
}

TEST(Csv, roundTripKeepsEveryField)
{
    const PointList original = formatTestPoints();
    CoordWriteResult written;
    const QByteArray bytes = writeToBytes(CoordFormat::Csv, original, &written);
    PointList back;
    const CoordReadResult read = readFromBytes(CoordFormat::Csv, bytes, back);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ASSERT_EQ(back.points().size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(back.points().at(i), original.points().at(i)) << i;
}

TEST(Csv, headerDecidesColumnsSeparatorIsDetectedAndQuotesAreRead)
{
    PointList points;
    const CoordReadResult read =
        CoordFileIo::open(dataFile("header.csv"), points, {QStringLiteral("NEPZD")});
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ASSERT_EQ(points.points().size(), 2);
    const PointRecord &first = points.points().at(0);
    EXPECT_EQ(first.name, QStringLiteral("P1"));
    EXPECT_EQ(first.northing, QStringLiteral("3405123.456"));
    EXPECT_EQ(first.easting, QStringLiteral("500987.654"));
    EXPECT_EQ(first.elevation, QStringLiteral("45.678"));
    EXPECT_EQ(first.code, QStringLiteral("STN"));
    const PointRecord &second = points.points().at(1);
    EXPECT_EQ(second.name, QStringLiteral("P;2"));
    EXPECT_EQ(second.elevation, QString());
    EXPECT_EQ(second.code, QStringLiteral("fence \"old\""));
    EXPECT_EQ(second.number, QStringLiteral("2"));
}

TEST(Csv, fileWithoutHeaderFollowsTheColumnLetters)
{
    PointList points;
    ASSERT_TRUE(CoordFileIo::open(dataFile("noheader.csv"), points).ok());
    ASSERT_EQ(points.points().size(), 2);
    EXPECT_EQ(points.points().at(0).easting, QStringLiteral("500987.654"));
    EXPECT_EQ(points.points().at(0).northing, QStringLiteral("3405123.456"));

    PointList swapped;
    ASSERT_TRUE(readFromBytes(CoordFormat::Csv, "7\t10.5\t20.25\tskipped\tTREE\n", swapped,
                              QStringLiteral("pne-d"))
                    .ok());
    ASSERT_EQ(swapped.points().size(), 1);
    EXPECT_EQ(swapped.points().at(0).name, QStringLiteral("7"));
    EXPECT_EQ(swapped.points().at(0).northing, QStringLiteral("10.5"));
    EXPECT_EQ(swapped.points().at(0).easting, QStringLiteral("20.25"));
    EXPECT_EQ(swapped.points().at(0).code, QStringLiteral("TREE"));
}

TEST(Csv, refusesWhatCannotBePointsAndNamesTheLine)
{
    PointList points({PointRecord()});
    CoordReadResult read = readFromBytes(CoordFormat::Csv, "Lat,Lon\n31.5,117.2\n", points);
    EXPECT_FALSE(read.ok());
    EXPECT_TRUE(read.error.contains(QLatin1String("line 1"))) << read.error.toStdString();
    EXPECT_EQ(points.points().size(), 1) << "a refused file leaves the rows";

    read = readFromBytes(CoordFormat::Csv, "Name,East\nA,1\n", points);
    EXPECT_FALSE(read.ok());
    EXPECT_TRUE(read.error.contains(QLatin1String("North"))) << read.error.toStdString();

    read = readFromBytes(CoordFormat::Csv, "Name,East,North\nA,1,2\nB,1.5m,2\n", points);
    EXPECT_FALSE(read.ok());
    EXPECT_TRUE(read.error.contains(QLatin1String("line 3"))) << read.error.toStdString();
    EXPECT_TRUE(read.error.contains(QLatin1String("1.5m"))) << read.error.toStdString();
}

TEST(Csv, columnLettersAreChecked)
{
    QString error;
    EXPECT_TRUE(CsvReader::validColumns(QStringLiteral("PENZD"), &error));
    EXPECT_TRUE(CsvReader::validColumns(QStringLiteral("-ne"), &error));
    EXPECT_FALSE(CsvReader::validColumns(QStringLiteral("PEZD"), &error));
    EXPECT_FALSE(CsvReader::validColumns(QStringLiteral("PENNZ"), &error));
    EXPECT_TRUE(error.contains(QLatin1Char('N')));
    EXPECT_FALSE(CsvReader::validColumns(QStringLiteral("PENXZ"), &error));
}

TEST(Csv, blankLinesAndLineEndsDoNotMakePoints)
{
    PointList points;
    ASSERT_TRUE(
        readFromBytes(CoordFormat::Csv, "\r\nname,x,y\r\n\r\nA,2,1\r\n  \r\nB,4,3", points).ok());
    ASSERT_EQ(points.points().size(), 2);
    EXPECT_EQ(points.points().at(1).northing, QStringLiteral("4"));
    EXPECT_EQ(points.points().at(1).easting, QStringLiteral("3"));
}
