// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/core/coordfiles/delimited/DelimitedTestPoints.h"

#include "core/coordfiles/CommaTokenizer.h"
#include "core/coordfiles/CoordFileIo.h"
#include "core/coordfiles/DelimitedIo.h"
#include "core/text/CodePage.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

PointList readAs(CoordFormat format, const QByteArray &bytes, CoordReadResult *out = nullptr)
{
    PointList points({makePoint("old", "old", "1", "2", "3")});
    ByteDevice device(bytes);
    const CoordReadResult result = CoordFileIo::read(device, format, points);
    if (out)
        *out = result;
    return points;
}

QStringList tokens(const char *line, int count)
{
    QByteArrayView views[8];
    CommaTokenizer::split(QByteArrayView(line), views, count);
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QString::fromLatin1(views[i]);
    return out;
}

} // namespace

TEST(CommaTokenizer, emptyFieldsVanishAndMissingTokensAreEmpty)
{
    EXPECT_EQ(tokens(",,a,,b,", 4), QStringList({"a", "b", "", ""}));
    EXPECT_EQ(tokens("a, ,b", 3), QStringList({"a", " ", "b"}));
    EXPECT_EQ(tokens(",,,,", 2), QStringList({"", ""}));
    EXPECT_EQ(tokens("1,2,3,4,5,6,7", 5), QStringList({"1", "2", "3", "4", "5"}));
}

TEST(DelimitedReaders, oneCrBeforeEachLfIsDroppedAndALastLineWithoutLineEndIsRead)
{
    const PointList points = readAs(CoordFormat::Topcon, "1,2,3,4,A\r\r\n5,6,7,8,B\n9,10,11,12,C");
    ASSERT_EQ(points.pointCount(), 3);
    EXPECT_EQ(points.points().at(0).name, "A\r");
    EXPECT_EQ(points.points().at(1).name, "B");
    EXPECT_EQ(points.points().at(2).name, "C");
}

TEST(DelimitedReaders, aLineOfAHundredCharactersOrMoreIsReadAndReadingGoesOn)
{
    const QByteArray longName(150, 'N');
    const QByteArray bytes = "1,A,10,20,30\r\n2," + longName + ",11,21,31\r\n3,C,12,22,32\r\n";
    const PointList points = readAs(CoordFormat::Orb, bytes);
    ASSERT_EQ(points.pointCount(), 3);
    EXPECT_EQ(points.points().at(1).name, QString::fromLatin1(longName));
    EXPECT_EQ(points.points().at(2).number, "3");
}

TEST(DelimitedReaders, aShortLineNeverInheritsFieldsOfTheLineBefore)
{
    const PointList points = readAs(CoordFormat::Topcon, "1,10,20,30,NAME\r\n2,11,21\r\n");
    ASSERT_EQ(points.pointCount(), 2);
    EXPECT_EQ(points.points().at(1), makePoint("2", "", "21", "11", ""));
}

TEST(DelimitedReaders, linesShorterThanFourCharactersAreSkipped)
{
    // In IDX a short line neither switches sections nor counts as a point.
    const QByteArray bytes =
        "DATABASE\r\n  POINTS\r\nD\r\n9,8\r\n    1,  \"A\",  \"\",    1,  2,  3,  "
        "FIX;\r\n";
    const PointList points = readAs(CoordFormat::Idx, bytes);
    ASSERT_EQ(points.pointCount(), 1);
    EXPECT_EQ(points.points().at(0).number, "1");
}

TEST(DelimitedReaders, lfOnlyFilesReadAsCrLfFiles)
{
    const QByteArray crlf = "1,A,10,20,30\r\n2,B,11,21,31\r\n";
    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    EXPECT_EQ(readAs(CoordFormat::Orb, lf).points(), readAs(CoordFormat::Orb, crlf).points());
}

TEST(DelimitedReaders, anEmptyFileGivesAnEmptyGrid)
{
    for (CoordFormat f :
         {CoordFormat::Orb, CoordFormat::South, CoordFormat::Topcon, CoordFormat::Idx}) {
        CoordReadResult result;
        EXPECT_EQ(readAs(f, QByteArray(), &result).pointCount(), 0);
        EXPECT_TRUE(result.ok());
        EXPECT_TRUE(result.sinkCleared);
    }
}

TEST(DelimitedReaders, binaryJunkIsReadWithoutHarm)
{
    QByteArray junk(64 * 1024, '\0');
    QRandomGenerator rng(12345);
    for (char &c : junk)
        c = char(rng.bounded(256));
    junk[100] = '\0';
    for (CoordFormat f :
         {CoordFormat::Orb, CoordFormat::South, CoordFormat::Topcon, CoordFormat::Idx}) {
        CoordReadResult result;
        const PointList points = readAs(f, junk, &result);
        EXPECT_TRUE(result.ok());
        EXPECT_EQ(result.pointCount, points.pointCount());
    }
}

TEST(DelimitedReaders, aUtf8FileWithByteOrderMarkReadsItsFirstNumberAndNamesAsUtf8)
{
    const QByteArray bytes = "\xEF\xBB\xBF"
                             "1,\xE6\xB5\x8B\xE7\x82\xB9,10,20,30\r\n";
    const PointList points = readAs(CoordFormat::Orb, bytes);
    ASSERT_EQ(points.pointCount(), 1);
    EXPECT_EQ(points.points().at(0), makePoint("1", "测点", "20", "10", "30"));
}

TEST(DelimitedCodePage, chineseNamesAreWrittenAndReadInTheAnsiCodePage)
{
    qputenv("RQTCOM_ANSI_CODEPAGE", "GBK");
    CodePage::configure(false);
    const PointList points({makePoint("1", "K测点甲", "10", "20", "30")});
    const QByteArray gbkName("\xB2\xE2\xB5\xE3\xBC\xD7");
    for (CoordFormat f :
         {CoordFormat::Orb, CoordFormat::South, CoordFormat::Topcon, CoordFormat::Idx}) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(CoordFileIo::write(buffer, f, points, true).ok());
        EXPECT_TRUE(bytes.contains(gbkName)) << qPrintable(CoordFileIo::formatName(f));
        PointList back = readAs(f, bytes);
        ASSERT_EQ(back.pointCount(), 1);
        EXPECT_EQ(back.points().at(0).name, points.points().at(0).name);
    }
    qunsetenv("RQTCOM_ANSI_CODEPAGE");
    CodePage::configure(false);
}

TEST(DelimitedLayouts, aLayoutSaysTheColumnsTheSeparatorAndWhichFieldAShortLineLacks)
{
    using L = DelimitedLayout;
    // Name, easting, northing between blanks: no number column, so rows are counted.
    const DelimitedLayout blanks{{L::Name, L::Easting, L::Northing}, 3, -1, ' '};
    PointRecord p;
    ASSERT_TRUE(DelimitedReader::parseLine(blanks, "A  1.5\t2.5", 6, p));
    EXPECT_EQ(p, makePoint("7", "A", "1.5", "2.5", ""));
    // One blank between each field: by position, an empty name keeps its place.
    ASSERT_TRUE(DelimitedReader::parseLine(blanks, " 1.5 2.5", 0, p));
    EXPECT_EQ(p, makePoint("1", "", "1.5", "2.5", ""));
    EXPECT_FALSE(DelimitedReader::parseLine(blanks, "A 1.5", 0, p));
    PointRecord coded = makePoint("9", "B", "3", "4", "5");
    coded.code = QStringLiteral("TREE");
    EXPECT_EQ(DelimitedWriter::formatLine(blanks, coded), QByteArray("B 3 4\r\n"));

    // A line one field short lacks the omitted column, the rest move on.
    const DelimitedLayout middle{{L::Number, L::Code, L::Easting, L::Northing}, 4, 1, ';'};
    ASSERT_TRUE(DelimitedReader::parseLine(middle, "5;1;2", 0, p));
    EXPECT_EQ(p, makePoint("5", "", "1", "2", ""));
    ASSERT_TRUE(DelimitedReader::parseLine(middle, "5;K;1;2", 0, p));
    EXPECT_EQ(p.code, QStringLiteral("K"));
    EXPECT_EQ(DelimitedWriter::formatLine(middle, p), QByteArray("5;K;1;2\r\n"));
}
