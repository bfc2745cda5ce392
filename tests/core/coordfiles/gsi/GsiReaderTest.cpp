// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/GsiReader.h"
#include "core/coordfiles/PointRecord.h"
#include "tests/core/coordfiles/gsi/PointPrinting.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>

namespace {

PointRecord row(int n, const char *name, const char *e, const char *no, const char *h)
{
    PointRecord p;
    p.number = QString::number(n);
    p.name = QString::fromUtf8(name);
    p.easting = QString::fromUtf8(e);
    p.northing = QString::fromUtf8(no);
    p.elevation = QString::fromUtf8(h);
    return p;
}

// A sink already holding one row, to see whether a rejected file leaves it.
PointList preFilled()
{
    return PointList({row(1, "keep", "1.000", "2.000", "3.000")});
}

GsiReadResult readBytes(QByteArray bytes, PointList &sink)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return GsiReader::read(buffer, sink);
}

GsiReadResult readData(const char *name, PointList &sink)
{
    return GsiReader::read(testsupport::dataPath(QStringLiteral("gsi/") + QLatin1String(name)),
                           sink);
}

const QByteArray kLine16 = "*110012+0000000000000012 81..00+0000000000100000"
                           " 82..00+0000000000200000 83..00-0000000000001500 ";
const QByteArray kLine8 = "11....+00000012 81..10+00100000 82..10+00200000 83..10+00001500 ";

} // namespace

TEST(GsiReader, readsTheGoldenFilesOfBothVariants)
{
    const QVector<PointRecord> expected = {
        row(1, "1", "1234.567", "2345.678", "12.345"),
        row(2, "PT7", "-1234.567", "0.500", "0.000"),
        row(3, "7", "99999.999", "100000.000", "2.001"),
        row(4, "", "", "", ""),
    };
    PointList points = preFilled();
    GsiReadResult result = GsiReader::read(testsupport::dataPath("gsi/save-as-16.gsi"), points);
    EXPECT_EQ(result.form, GsiForm::Gsi16);
    EXPECT_EQ(result.skipped.total(), 0);
    EXPECT_EQ(points.points(), expected);

    QVector<PointRecord> expected8 = expected;
    expected8[2].northing = QStringLiteral("0.000");
    result = GsiReader::read(testsupport::dataPath("gsi/save-as-8.gsi"), points);
    EXPECT_EQ(result.form, GsiForm::Gsi8);
    EXPECT_EQ(result.points, 4);
    EXPECT_EQ(points.points(), expected8);
}

TEST(GsiReader, instrumentLineWithBlockNumberAndSignPositionsReadsRight)
{
    PointList points;
    const GsiReadResult result = readBytes(kLine16 + "\r\n" + kLine16 + "\n", points);
    EXPECT_EQ(result.form, GsiForm::Gsi16);
    ASSERT_EQ(points.pointCount(), 2);
    EXPECT_EQ(points.point(1), row(2, "12", "100.000", "200.000", "-1.500"));
}

TEST(GsiReader, crLfLfAndCrAloneReadAlike)
{
    PointList a, b, c;
    readBytes(kLine8 + "\r\n" + kLine8 + "\r\n", a);
    readBytes(kLine8 + "\n" + kLine8, b);
    readBytes(kLine8 + "\r" + kLine8 + "\r", c);
    EXPECT_EQ(a.points(), b.points());
    EXPECT_EQ(a.points(), c.points());
    EXPECT_EQ(a.pointCount(), 2);

    PointList old;
    const GsiReadResult result = readData("cr-only.gsi", old);
    EXPECT_EQ(result.skipped.total(), 0);
    ASSERT_EQ(old.pointCount(), 2);
    EXPECT_EQ(old.point(1), row(2, "2", "100.500", "200.500", "1.050"));
}

TEST(GsiReader, theUnitDigitGivesTheDecimalsAndTheScale)
{
    PointList points;
    GsiReadResult result = readData("units.gsi", points);
    EXPECT_FALSE(result.feet);
    ASSERT_EQ(points.pointCount(), 3);
    EXPECT_EQ(points.point(0), row(1, "A001", "6563.9031", "1234.5678", "-0.1234"));
    EXPECT_EQ(points.point(1), row(2, "A002", "6563.90312", "1234.56789", "1.23456"));
    EXPECT_EQ(points.point(2), row(3, "A003", "65.639", "12.345", "1.500"));

    result = readData("feet.gsi", points);
    EXPECT_TRUE(result.feet);
    ASSERT_EQ(points.pointCount(), 2);
    EXPECT_EQ(points.point(0), row(1, "F001", "328.084", "656.168", "3.281"));
    EXPECT_EQ(points.point(1), row(2, "F002", "328.0840", "656.1680", "3.2808"));

    // An angle's unit on a coordinate is no length: the line is skipped and said so.
    result = readBytes("110001+00000001 81..03+00100000 82..00+00200000\r\n" + kLine8, points);
    EXPECT_EQ(result.points, 1);
    EXPECT_EQ(result.skipped.unknownUnit, 1);
}

TEST(GsiReader, dashesOrBlanksAreNoValueButAMinusBeforeDigitsIsASign)
{
    PointList points;
    readData("no-value.gsi", points);
    ASSERT_EQ(points.pointCount(), 5);
    for (int i : {0, 1, 2, 4})
        EXPECT_EQ(points.point(i).elevation, QString()) << i;
    EXPECT_EQ(points.point(3).elevation, QStringLiteral("-1.500"));
    EXPECT_EQ(points.point(0).easting, QStringLiteral("100.000"));
    // Zeros are the value 0, not the empty value.
    readBytes("110001+00000001 81..00+00000000 82..00+-------- ", points);
    ASSERT_EQ(points.pointCount(), 1);
    EXPECT_EQ(points.point(0), row(1, "1", "0.000", "", ""));
}

TEST(GsiReader, linesWithoutCoordinatesAreSkippedCountedAndReadingGoesOn)
{
    PointList points = preFilled();
    const GsiReadResult result = readData("mixed-lines.gsi", points);
    EXPECT_EQ(result.form, GsiForm::Gsi8);
    ASSERT_EQ(points.pointCount(), 3);
    EXPECT_EQ(points.point(0), row(1, "P1", "110.000", "200.000", "1.100"));
    // Words in any order, without the closing blank.
    EXPECT_EQ(points.point(1), row(2, "P3", "120.000", "210.000", "1.200"));
    EXPECT_EQ(points.point(2), row(3, "P4", "130.000", "220.000", "1.300"));
    EXPECT_EQ(result.skipped.noCoordinates, 4);
    EXPECT_EQ(result.skipped.notRecord, 1);
    EXPECT_EQ(result.skipped.describe(),
              QStringLiteral("5 lines skipped: 4 without coordinates, 1 not a record"));
}

TEST(GsiReader, theFormIsThatOfTheFirstPointLine)
{
    PointList points;
    const GsiReadResult result =
        readBytes("410001+?......1 42....+0TESTJOB \r\n" + kLine16 + "\r\n" + kLine8, points);
    EXPECT_EQ(result.form, GsiForm::Gsi16);
    EXPECT_EQ(result.points, 2);
}

TEST(GsiReader, filesWithoutAPointLeaveTheRowsUntouched)
{
    const QByteArray header8 = "410001+?......2 42....+0TESTJOB 43....+0000ABC1 \r\n";
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk += char((i * 7919) & 0xFF);
    for (const QByteArray &bytes : {QByteArray(), QByteArray("\r\n"), header8, junk,
                                    QByteArray(200000, '*'), QByteArray("11\r\n81\r\n82")}) {
        PointList points = preFilled();
        const GsiReadResult result = readBytes(bytes, points);
        EXPECT_EQ(result.form, GsiForm::None);
        EXPECT_EQ(points.points(), preFilled().points());
    }
    PointList points = preFilled();
    const GsiReadResult result = readData("no-points.gsi", points);
    EXPECT_EQ(result.form, GsiForm::None);
    EXPECT_EQ(result.skipped.noCoordinates, 2);
    EXPECT_EQ(points.points(), preFilled().points());
}

TEST(GsiReader, aBrokenLineIsSkippedNotGuessed)
{
    PointList points;
    // A word cut short, two blanks between words, a word of the other width.
    const GsiReadResult result = readBytes(kLine8 + "\r\n" + "110002+00000002 81..10+001\r\n" +
                                               "110003+00000003  81..10+00100000 82..10+0\r\n" +
                                               "*110004+0000000000000004 81..10+00100000\r\n" +
                                               kLine8 + "\r\n" + QByteArray(70000, '1'),
                                           points);
    EXPECT_EQ(points.pointCount(), 2);
    EXPECT_EQ(result.skipped.noCoordinates, 2);
    EXPECT_EQ(result.skipped.notRecord, 2);
}

TEST(GsiReader, aByteOrderMarkBeforeTheFirstLineIsIgnored)
{
    PointList points;
    readBytes("\xEF\xBB\xBF" + kLine16 + "\r\n", points);
    ASSERT_EQ(points.pointCount(), 1);
    EXPECT_EQ(points.point(0).name, QStringLiteral("12"));
}

TEST(GsiReader, namesKeepTheirInnerBlanksAndLoseOnlyLeadingZeros)
{
    PointList points;
    readBytes("110001+0A B 010 81..00+00100000 82..00+00200000", points);
    ASSERT_EQ(points.pointCount(), 1);
    EXPECT_EQ(points.point(0).name, QStringLiteral("A B 010"));
}

TEST(GsiReader, missingFileIsReportedAndTouchesNothing)
{
    PointList points = preFilled();
    const GsiReadResult result = GsiReader::read(QStringLiteral("/nonexistent/x.gsi"), points);
    EXPECT_FALSE(result.opened);
    EXPECT_EQ(result.form, GsiForm::None);
    EXPECT_EQ(points.points(), preFilled().points());
}

TEST(GsiReader, sampleFilesFromTheFieldReadAsCoordinatesOrAreRefused)
{
    int found = 0;
    const auto read = [&found](const char *file, PointList &points) {
        const QString path = testsupport::samplesPath(QString::fromLatin1(file));
        if (path.isEmpty() || !QFile::exists(path))
            return std::optional<GsiReadResult>();
        ++found;
        return std::optional<GsiReadResult>(GsiReader::read(path, points));
    };
    PointList points = preFilled();
    if (const auto r = read("gsi/gsi16-observations.gsi", points)) {
        EXPECT_EQ(r->form, GsiForm::None);
        EXPECT_GT(r->skipped.noCoordinates, 0);
        EXPECT_EQ(points.points(), preFilled().points());
    }
    if (const auto r = read("gsi/gsi8-observations-with-coordinates.gsi", points)) {
        EXPECT_EQ(r->form, GsiForm::Gsi8);
        EXPECT_EQ(r->points, 689);
    }
    if (const auto r = read("gsi/gsi16-no-closing-blank-lf.gsi", points)) {
        EXPECT_EQ(r->form, GsiForm::Gsi16);
        EXPECT_GT(r->points, 0);
        EXPECT_EQ(r->skipped.total(), 0);
        EXPECT_EQ(points.point(0).easting, QStringLiteral("119.197"));
    }
    if (const auto r = read("gsi/gsi16-observations-with-coordinates.gsi", points)) {
        EXPECT_EQ(r->form, GsiForm::Gsi16);
        EXPECT_EQ(points.point(0).easting, QStringLiteral("565385.748"));
    }
    if (const auto r = read("gsi/old-format-single-line.gsi", points)) {
        EXPECT_EQ(r->form, GsiForm::None); // observations only, records ended by CR
        EXPECT_GT(r->skipped.noCoordinates, 1);
        EXPECT_EQ(r->skipped.notRecord, 0);
    }
    if (found == 0)
        GTEST_SKIP() << "sample files not present";
}
