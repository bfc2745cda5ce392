// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/GsiWriter.h"
#include "core/coordfiles/GsiReader.h"
#include "core/coordfiles/PointRecord.h"
#include "core/text/CodePage.h"
#include "tests/core/coordfiles/gsi/PointPrinting.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

namespace {

PointRecord point(const char *name, const char *e, const char *n, const char *h)
{
    PointRecord p;
    p.name = QString::fromUtf8(name);
    p.easting = QString::fromUtf8(e);
    p.northing = QString::fromUtf8(n);
    p.elevation = QString::fromUtf8(h);
    return p;
}

PointList samplePoints()
{
    return PointList({point("1", "1234.567", "2345.678", "12.345"),
                      point("PT7", "-1234.567", "0.5", "abc"),
                      point("007", "99999.999", "100000", "2.0005"), point("", "", "", "")});
}

QByteArray written(const PointSource &source, GsiVariant variant, bool rangeRule,
                   GsiWriteResult *result = nullptr)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const GsiWriteResult r = GsiWriter::write(buffer, source, variant, rangeRule);
    if (result)
        *result = r;
    return bytes;
}

} // namespace

TEST(GsiWriter, saveAsOutputMatchesTheGoldenFilesByteForByte)
{
    GsiWriteResult result;
    EXPECT_EQ(written(samplePoints(), GsiVariant::Gsi16, true, &result),
              testsupport::readAll(testsupport::dataPath("gsi/save-as-16.gsi")));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.lines, 4);
    EXPECT_TRUE(result.zeroedRows.isEmpty());

    EXPECT_EQ(written(samplePoints(), GsiVariant::Gsi8, true, &result),
              testsupport::readAll(testsupport::dataPath("gsi/save-as-8.gsi")));
    EXPECT_EQ(result.zeroedRows, QList<qsizetype>({2})); // 100000 is beyond GSI-8's range
}

TEST(GsiWriter, saveWithoutRangeRuleReportsRowsThatDoNotFit)
{
    const PointList points(
        {point("A", "1", "2", "3"), point("B", "1e13", "2", "3"), point("C", "1e999", "2", "3")});
    GsiWriteResult result;
    const QByteArray bytes = written(points, GsiVariant::Gsi16, false, &result);
    EXPECT_EQ(result.zeroedRows, QList<qsizetype>({1, 2}));
    EXPECT_EQ(bytes.mid(99 + 32, 16), "0000000000000000");
    EXPECT_EQ(bytes.mid(99 + 56, 16), "0000000000002000");
}

TEST(GsiWriter, emptySourceWritesNothing)
{
    EXPECT_TRUE(written(PointList(), GsiVariant::Gsi16, true).isEmpty());
}

TEST(GsiWriter, manyLinesGoThroughTheBufferInOrder)
{
    PointList points;
    for (int i = 0; i < 5000; ++i)
        points.append(point(QByteArray::number(i).constData(), "1", "2", "3"));
    const QByteArray bytes = written(points, GsiVariant::Gsi8, true);
    ASSERT_EQ(bytes.size(), 5000 * 66);
    EXPECT_EQ(bytes.mid(4999 * 66 + 7, 8), "00004999");
}

TEST(GsiWriter, roundTripKeepsNamesAndMillimetresIncludingNegatives)
{
    const PointList points({point("K1", "-9999999999.999", "-0.001", "-1000000000000"),
                            point("BM-2", "123456.789", "-0.5", "0")});
    QByteArray bytes = written(points, GsiVariant::Gsi16, false);
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    PointList back;
    const GsiReadResult result = GsiReader::read(in, back);
    EXPECT_EQ(result.form, GsiForm::Gsi16);
    ASSERT_EQ(back.pointCount(), 2);
    PointRecord first = point("K1", "-9999999999.999", "-0.001", "-1000000000000.000");
    first.number = QStringLiteral("1");
    PointRecord second = point("BM-2", "123456.789", "-0.500", "0.000");
    second.number = QStringLiteral("2");
    EXPECT_EQ(back.point(0), first);
    EXPECT_EQ(back.point(1), second);
}

TEST(GsiWriter, namesAreWrittenInTheAnsiCodePage)
{
    const QByteArray saved = qgetenv("RQTCOM_ANSI_CODEPAGE");
    qputenv("RQTCOM_ANSI_CODEPAGE", "GBK");
    CodePage::configure(false);
    const QByteArray line = GsiWriter::line(u"测点1", u"1", u"2", u"3", GsiVariant::Gsi8, true);
    QByteArray copy = line;
    QBuffer in(&copy);
    in.open(QIODevice::ReadOnly);
    PointList back;
    GsiReader::read(in, back);
    if (saved.isEmpty())
        qunsetenv("RQTCOM_ANSI_CODEPAGE");
    else
        qputenv("RQTCOM_ANSI_CODEPAGE", saved);
    CodePage::configure(false);

    EXPECT_EQ(line.mid(7, 8), QByteArray("000\xB2\xE2\xB5\xE3"
                                         "1"));
    ASSERT_EQ(back.pointCount(), 1);
    EXPECT_EQ(back.point(0).name, QStringLiteral("测点1"));
}

TEST(GsiWriter, pathOverloadReplacesTheFileOnlyWhenComplete)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.gsi"));
    testsupport::writeAll(path, "old content");
    const GsiWriteResult ok = GsiWriter::write(path, samplePoints(), GsiVariant::Gsi16, true);
    EXPECT_TRUE(ok.ok);
    EXPECT_EQ(testsupport::readAll(path),
              testsupport::readAll(testsupport::dataPath("gsi/save-as-16.gsi")));

    const GsiWriteResult failed = GsiWriter::write(dir.filePath(QStringLiteral("no/such/dir.gsi")),
                                                   samplePoints(), GsiVariant::Gsi16, true);
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.isEmpty());
}
