#include "coordfiles/GsiReader.h"
#include "PointPrinting.h"
#include "coordfiles/PointRecord.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>

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

const QByteArray kLine16 = "*110012+0000000000000012 81..00+0000000000100000"
                           " 82..00+0000000000200000 83..00-0000000000001500 ";
const QByteArray kLine8 = "11....+00000012 81..10+00100000 82..10+00200000 83..10+00001500 ";

} // namespace

TEST(GsiReader, readsTheGoldenFilesOfBothVariants)
{
    const QVector<PointRecord> expected = {
        row(1, "1", "1234.567", "2345.678", "12.345"),
        row(2, "PT7", "-1234.567", "0.500", "0.000"),
        row(3, "7", "99999.999", "100000.000", "2.000"),
        row(4, "", "0.000", "0.000", "0.000"),
    };
    PointList points = preFilled();
    GsiReadResult result = GsiReader::read(testsupport::dataPath("gsi/save-as-16.gsi"), points);
    EXPECT_EQ(result.form, GsiForm::Gsi16);
    EXPECT_TRUE(result.complete);
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

TEST(GsiReader, crLfAndLfFilesReadAlike)
{
    PointList a, b;
    readBytes(kLine8 + "\r\n" + kLine8 + "\r\n", a);
    readBytes(kLine8 + "\n" + kLine8, b);
    EXPECT_EQ(a.points(), b.points());
    EXPECT_EQ(a.pointCount(), 2);
}

TEST(GsiReader, filesOfNeitherFormLeaveTheRowsUntouched)
{
    const QByteArray fiveWords = kLine16 + "87..10+0000000000001300 ";
    const QByteArray bom = "\xEF\xBB\xBF" + kLine16 + "\r\n";
    const QByteArray header8 = "410001+?......2 42....+0TESTJOB 43....+0000ABC1 \r\n" + kLine8;
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk += char((i * 7919) & 0xFF);
    for (const QByteArray &bytes : {QByteArray(), QByteArray("\r\n"), fiveWords + "\r\n", bom,
                                    header8, junk, QByteArray(200000, '*')}) {
        PointList points = preFilled();
        const GsiReadResult result = readBytes(bytes, points);
        EXPECT_EQ(result.form, GsiForm::None);
        EXPECT_EQ(points.points(), preFilled().points());
    }
}

TEST(GsiReader, aFailingPointLineIsReadThenReadingStopsAndSaysWhere)
{
    PointList points;
    // Line 2 begins like a point line but is too long: read, then the end.
    GsiReadResult result =
        readBytes(kLine8 + "\r\n" + kLine8 + "81..10+00001 \r\n" + kLine8 + "\r\n", points);
    EXPECT_EQ(points.pointCount(), 2);
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(result.stopLine, 3);

    // A line that does not begin with the form's first character is not read.
    result = readBytes(kLine16 + "\r\nEND OF JOB\r\n" + kLine16 + "\r\n", points);
    EXPECT_EQ(points.pointCount(), 1);
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(result.stopLine, 2);

    // Trailing blank lines or an end-of-file mark are no lost data.
    result = readBytes(kLine16 + "\r\n\r\n \r\n\x1a", points);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(points.pointCount(), 1);
}

TEST(GsiReader, aLongLineIsHandledWholeWithoutSpillingIntoTheNext)
{
    PointList points;
    // 250 characters: too long, read as the last point; its tail never becomes a line.
    const QByteArray longLine = kLine8 + QByteArray(250 - kLine8.size(), '7');
    const GsiReadResult result = readBytes(kLine8 + "\r\n" + longLine + "\r\n", points);
    EXPECT_EQ(points.pointCount(), 2);
    EXPECT_TRUE(result.complete);
}

TEST(GsiReader, missingPositionsOfAShortLineReadAsAbsent)
{
    PointList points;
    // The short second line must not show bytes of the longer first one.
    readBytes(kLine8 + "\r\n110099+00000099 81..10+001\r\n", points);
    ASSERT_EQ(points.pointCount(), 2);
    EXPECT_EQ(points.point(1), row(2, "99", "0.001", "", ""));
}

TEST(GsiReader, missingFileIsReportedAndTouchesNothing)
{
    PointList points = preFilled();
    const GsiReadResult result = GsiReader::read(QStringLiteral("/nonexistent/x.gsi"), points);
    EXPECT_FALSE(result.opened);
    EXPECT_EQ(result.form, GsiForm::None);
    EXPECT_EQ(points.points(), preFilled().points());
}

TEST(GsiReader, realObservationFilesAreRefusedCleanly)
{
    const char *files[] = {"gsi/gsi16-observations.gsi",
                           "gsi/gsi8-observations-with-coordinates.gsi",
                           "gsi/old-format-single-line.gsi"};
    int found = 0;
    for (const char *file : files) {
        const QString path = testsupport::samplesPath(QString::fromLatin1(file));
        if (path.isEmpty())
            continue;
        ++found;
        PointList points = preFilled();
        const GsiReadResult result = GsiReader::read(path, points);
        EXPECT_EQ(result.form, GsiForm::None) << file;
        EXPECT_EQ(points.points(), preFilled().points()) << file;
    }
    if (found == 0)
        GTEST_SKIP() << "sample instrument files not present";
}
