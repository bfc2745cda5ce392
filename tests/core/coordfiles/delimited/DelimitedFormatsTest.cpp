// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/core/coordfiles/delimited/DelimitedTestPoints.h"
#include "tests/support/TestSupport.h"

#include "core/coordfiles/CoordFileIo.h"
#include "core/coordfiles/DelimitedIo.h"
#include "core/coordfiles/IdxWriter.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase
{
    CoordFormat format;
    const char *golden;
};

const FormatCase kFormats[] = {
    {CoordFormat::Orb, "delimited/three.orb"},
    {CoordFormat::South, "delimited/three.dat"},
    {CoordFormat::Topcon, "delimited/three.pts"},
    {CoordFormat::Idx, "delimited/three.idx"},
};

QByteArray writeToBytes(CoordFormat format, const PointSource &points)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const CoordWriteResult result = CoordFileIo::write(buffer, format, points, true);
    EXPECT_TRUE(result.ok()) << qPrintable(result.error);
    EXPECT_EQ(result.pointCount, points.pointCount());
    return bytes;
}

PointList readFromBytes(CoordFormat format, const QByteArray &bytes)
{
    PointList points;
    ByteDevice device(bytes);
    const CoordReadResult result = CoordFileIo::read(device, format, points);
    EXPECT_TRUE(result.ok()) << qPrintable(result.error);
    EXPECT_EQ(result.pointCount, points.pointCount());
    return points;
}

// The column layout FormatTable gives a delimited format.
const DelimitedLayout &layout(CoordFormat format)
{
    return *FormatTable::find(format)->layout;
}

const DelimitedLayout &kOrb = layout(CoordFormat::Orb);
const DelimitedLayout &kSouth = layout(CoordFormat::South);
const DelimitedLayout &kTopcon = layout(CoordFormat::Topcon);

QByteArray formatLine(const DelimitedLayout &layout, const PointRecord &point)
{
    return DelimitedWriter::formatLine(layout, point);
}

bool parseLine(const DelimitedLayout &layout, QByteArrayView line, qsizetype row,
               PointRecord &point)
{
    return DelimitedReader::parseLine(layout, line, row, point);
}

PointRecord parsed(const DelimitedLayout &layout, const char *line, bool expectPoint = true)
{
    PointRecord point;
    EXPECT_EQ(parseLine(layout, QByteArrayView(line), 0, point), expectPoint) << line;
    return point;
}

} // namespace

TEST(DelimitedWriters, everyFormatWritesItsGoldenFileByteForByte)
{
    const PointList points = goldenPoints();
    for (const FormatCase &c : kFormats) {
        const QByteArray expected = testsupport::readAll(testsupport::dataPath(c.golden));
        ASSERT_FALSE(expected.isEmpty()) << c.golden;
        EXPECT_EQ(writeToBytes(c.format, points), expected) << c.golden;
    }
}

TEST(DelimitedWriters, cellsAreWrittenAsTheyStandWithoutReformatting)
{
    const PointRecord p = makePoint("07", " x ", "1e3", "abc", "-0.0");
    EXPECT_EQ(formatLine(kOrb, p), QByteArray("07, x ,abc,1e3,-0.0\r\n"));
    EXPECT_EQ(formatLine(kSouth, p), QByteArray(" x ,,1e3,abc,-0.0\r\n"));
    EXPECT_EQ(formatLine(kTopcon, p), QByteArray("07,abc,1e3,-0.0, x \r\n"));
}

TEST(DelimitedWriters, theStartingGridWritesAnOrbLineOfCommas)
{
    EXPECT_EQ(formatLine(kOrb, makePoint("1", "", "", "", "")), QByteArray("1,,,,\r\n"));
}

TEST(DelimitedWriters, theCodeColumnGoesIntoSouthAndIdxOnly)
{
    PointRecord p = makePoint("1", "A", "1", "2", "3");
    p.code = QStringLiteral("TREE");
    EXPECT_FALSE(formatLine(kOrb, p).contains("TREE"));
    EXPECT_FALSE(formatLine(kTopcon, p).contains("TREE"));
    EXPECT_EQ(formatLine(kSouth, p), QByteArray("A,TREE,1,2,3\r\n"));
    EXPECT_EQ(IdxWriter::formatLine(p),
              QByteArray("    1,  \"A\",  \"TREE\",    1,  2,  3,  FIX;\r\n"));

    // Read back, the code is where it was; a four-field SOUTH line has none.
    for (CoordFormat format : {CoordFormat::South, CoordFormat::Idx}) {
        const PointList back = readFromBytes(format, writeToBytes(format, PointList({p})));
        ASSERT_EQ(back.pointCount(), 1);
        EXPECT_EQ(back.points().at(0), p) << qPrintable(CoordFileIo::formatName(format));
    }
    const PointList four = readFromBytes(CoordFormat::South, "B,7,8,9\r\n");
    ASSERT_EQ(four.pointCount(), 1);
    EXPECT_EQ(four.points().at(0), makePoint("1", "B", "7", "8", "9"));
}

TEST(DelimitedWriters, rowsWithoutEastingAndNorthingGoIntoNoFile)
{
    // The grid's fresh row, and one that has only a name and a height.
    const PointList points({makePoint("1", "", "", "", ""), makePoint("2", "A", "1", "2", ""),
                            makePoint("3", "N", "", "", "12"), makePoint("4", "B", "4", "5", "")});
    for (CoordFormat format : {CoordFormat::Orb, CoordFormat::South, CoordFormat::Topcon,
                               CoordFormat::Idx, CoordFormat::Gsi16, CoordFormat::Gsi8}) {
        SCOPED_TRACE(qPrintable(CoordFileIo::formatName(format)));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_EQ(CoordFileIo::write(buffer, format, points, true).pointCount, 2);
        const PointList back = readFromBytes(format, bytes);
        ASSERT_EQ(back.pointCount(), 2);
        EXPECT_EQ(back.points().at(0).name, QStringLiteral("A"));
        EXPECT_EQ(back.points().at(1).name, QStringLiteral("B"));
    }
}

TEST(DelimitedRoundTrip, orbTopconAndIdxGiveBackEveryField)
{
    const PointList points = goldenPoints();
    for (CoordFormat format : {CoordFormat::Orb, CoordFormat::Topcon, CoordFormat::Idx}) {
        const PointList back = readFromBytes(format, writeToBytes(format, points));
        EXPECT_EQ(back.points(), points.points()) << qPrintable(CoordFileIo::formatName(format));
    }
}

TEST(DelimitedRoundTrip, southGivesBackNamesAndCoordinatesNumberedFromOne)
{
    const PointList points({makePoint("17", "A1", "1.5", "2.5", "3.5"),
                            makePoint("18", "B2", "4", "5", "6"),
                            makePoint("40", "C3", "7", "8", "")});
    const PointList back =
        readFromBytes(CoordFormat::South, writeToBytes(CoordFormat::South, points));
    ASSERT_EQ(back.pointCount(), 3);
    for (int i = 0; i < 3; ++i) {
        PointRecord expected = points.points().at(i);
        expected.number = QString::number(i + 1);
        EXPECT_EQ(back.points().at(i), expected);
    }
}

TEST(DelimitedRoundTrip, orbRowsWithoutNamesReadBackWithoutNames)
{
    const PointList points({makePoint("1", "", "10", "20", "30")});
    EXPECT_EQ(readFromBytes(CoordFormat::Orb, writeToBytes(CoordFormat::Orb, points)).points(),
              points.points());
}

TEST(DelimitedRoundTrip, emptyCellsStayInTheirColumns)
{
    // A point without elevation, one without name, one with neither.
    const PointList points({makePoint("1", "A", "500.1", "300.2", ""),
                            makePoint("2", "", "500.3", "300.4", "5"),
                            makePoint("3", "", "500.5", "300.6", "")});
    for (CoordFormat format : {CoordFormat::Orb, CoordFormat::South, CoordFormat::Topcon}) {
        const PointList back = readFromBytes(format, writeToBytes(format, points));
        EXPECT_EQ(back.points(), points.points()) << qPrintable(CoordFileIo::formatName(format));
    }
}

TEST(OrbLayout, fourFieldsAreNumberNorthingEastingElevation)
{
    const PointRecord p = parsed(kOrb, "5,3012345.6,500123.4,45.1");
    EXPECT_EQ(p, makePoint("5", "", "500123.4", "3012345.6", "45.1"));
}

TEST(OrbLayout, fiveFieldsAreNumberNameNorthingEastingElevation)
{
    const PointRecord p = parsed(kOrb, "5,K1,3012345.6,500123.4,45.1");
    EXPECT_EQ(p, makePoint("5", "K1", "500123.4", "3012345.6", "45.1"));
}

TEST(OrbLayout, aLineWithoutBothHorizontalCoordinatesIsNoPoint)
{
    parsed(kOrb, "1,,,,", false);
    parsed(kOrb, "1,A,", false);
    parsed(kOrb, "abc", false);
}

TEST(SouthLayout, nameCodeAndCoordinatesOrFourFieldsWithoutTheCode)
{
    PointRecord p;
    ASSERT_TRUE(parseLine(kSouth, "K1,ST,500.1,300.2,12.3", 4, p));
    PointRecord withCode = makePoint("5", "K1", "500.1", "300.2", "12.3");
    withCode.code = QStringLiteral("ST");
    EXPECT_EQ(p, withCode);
    ASSERT_TRUE(parseLine(kSouth, "K2,500.1,300.2,12.3", 0, p));
    EXPECT_EQ(p, makePoint("1", "K2", "500.1", "300.2", "12.3"));
}

TEST(SouthLayout, rowNumbersCountOnlyThePointsRead)
{
    const PointList back = readFromBytes(CoordFormat::South, "A,,1,2,3\r\nnote\r\n\r\n"
                                                             "B,,4,5,6\r\n");
    ASSERT_EQ(back.pointCount(), 2);
    EXPECT_EQ(back.points().at(1), makePoint("2", "B", "4", "5", "6"));
}

TEST(TopconLayout, anEmptyNameEndsTheLineWithACommaAndStillReads)
{
    const PointRecord p = parsed(kTopcon, "9,300.2,500.1,12.3,");
    EXPECT_EQ(p, makePoint("9", "", "500.1", "300.2", "12.3"));
}

TEST(TopconLayout, needsNorthingAndEastingAndDoesNotShift)
{
    parsed(kTopcon, "9,300.2", false);
    const PointRecord p = parsed(kTopcon, "9,300.2,500.1");
    EXPECT_EQ(p, makePoint("9", "", "500.1", "300.2", ""));
}

TEST(Readers, tokensKeepTheirBlanks)
{
    const PointRecord p = parsed(kTopcon, " 9 , 300.2 ,500.1, 1 , A B ");
    EXPECT_EQ(p, makePoint(" 9 ", " A B ", "500.1", " 300.2 ", " 1 "));
}

TEST(XyzLayout, eastingNorthingElevationBetweenBlanksNumberedAsRead)
{
    // Names, numbers and codes stay behind; a missing elevation keeps its blank.
    PointRecord coded = makePoint("17", "K1", "500123.456", "3012345.678", "45.12");
    coded.code = QStringLiteral("TREE");
    const PointList points({coded, makePoint("18", "K2", "500200", "3012400.5", "")});
    const QByteArray bytes = writeToBytes(CoordFormat::Xyz, points);
    EXPECT_EQ(bytes, QByteArray("500123.456 3012345.678 45.12\r\n500200 3012400.5 \r\n"));
    EXPECT_EQ(readFromBytes(CoordFormat::Xyz, bytes).points(),
              PointList({makePoint("1", "", "500123.456", "3012345.678", "45.12"),
                         makePoint("2", "", "500200", "3012400.5", "")})
                  .points());

    // Other programs align their columns with blanks or tabs.
    const PointList aligned =
        readFromBytes(CoordFormat::Xyz, "  500.1   300.2  12.3\r\n500.4\t300.5\t12.6\n"
                                        "note\r\n9\r\n");
    ASSERT_EQ(aligned.pointCount(), 2);
    EXPECT_EQ(aligned.points().at(0), makePoint("1", "", "500.1", "300.2", "12.3"));
    EXPECT_EQ(aligned.points().at(1), makePoint("2", "", "500.4", "300.5", "12.6"));
}

TEST(XyzLayout, isOpenedAndSavedByItsExtensionInAnyCase)
{
    EXPECT_EQ(CoordFileIo::formatForExtension(u"XYZ"), CoordFormat::Xyz);
    EXPECT_EQ(CoordFileIo::saveAsFormat(kSaveAsGsi16, u"xyz"), CoordFormat::Xyz);
    EXPECT_EQ(CoordFileIo::formatName(CoordFormat::Xyz), QStringLiteral("XYZ"));
    EXPECT_TRUE(CoordFileIo::readableExtensions().contains(QStringLiteral("xyz")));
    EXPECT_TRUE(FormatTable::openTypeList().endsWith(QStringLiteral("XYZ(*.xyz *.XYZ)|*.xyz|")));
    EXPECT_TRUE(FormatTable::saveAsTypeList().endsWith(QStringLiteral("XYZ(*.xyz)|*.xyz|")));
}
