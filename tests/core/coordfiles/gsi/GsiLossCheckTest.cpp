// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/GsiLossCheck.h"
#include "core/coordfiles/GsiWriter.h"
#include "core/coordfiles/PointRecord.h"

#include <gtest/gtest.h>

#include <QBuffer>

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

} // namespace

TEST(GsiLossCheck, findsValuesOutsideTheRangeAndNamesLongerThanTheBlock)
{
    GsiLossCheck gsi8(GsiVariant::Gsi8);
    EXPECT_FALSE(gsi8.check(point("ABCDEFGH", "99999.999", "-99999.999", "")).any());
    const GsiPointLoss range = gsi8.check(point("A", "100000", "5", "-100000"));
    EXPECT_TRUE(range.zeroed[0]);
    EXPECT_FALSE(range.zeroed[1]);
    EXPECT_TRUE(range.zeroed[2]);
    EXPECT_FALSE(range.nameCut);
    EXPECT_TRUE(gsi8.check(point("ABCDEFGHI", "1", "2", "3")).nameCut);

    GsiLossCheck gsi16(GsiVariant::Gsi16);
    EXPECT_FALSE(gsi16.check(point("ABCDEFGHI", "100000", "999999999.999", "3")).any());
    EXPECT_TRUE(gsi16.check(point("A", "1e9", "2", "3")).zeroed[0]);
    EXPECT_TRUE(gsi16.check(point("ABCDEFGHIJKLMNOPQ", "1", "2", "3")).nameCut);

    // Save (GSI-16 without the range rule) loses only what does not fit the block.
    GsiLossCheck save(GsiVariant::Gsi16, false);
    EXPECT_FALSE(save.check(point("A", "1e9", "2", "3")).any());
    EXPECT_TRUE(save.check(point("A", "1e13", "2", "3")).zeroed[0]);
}

TEST(GsiLossCheck, agreesWithTheRowsTheWriterZeroes)
{
    const PointList points({point("A", "1", "2", "3"), point("B", "150000", "2", "3"),
                            point("C", "99999.9999", "2", "3"), point("D", "abc", "1e999", "")});
    GsiLossCheck check(GsiVariant::Gsi8);
    for (qsizetype row = 0; row < points.pointCount(); ++row)
        check.add(row, points.point(row));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const GsiWriteResult written = GsiWriter::write(buffer, points, GsiVariant::Gsi8, true);
    EXPECT_EQ(check.rowNumbers(), written.zeroedRows);
}

TEST(GsiLossCheck, keepsTheFirstRowsAndCountsTheRest)
{
    GsiLossCheck check(GsiVariant::Gsi8);
    for (int row = 0; row < 100; ++row)
        check.add(row, point(row % 2 ? "ABCDEFGHIJ" : "A", "1", "2", "3"));
    EXPECT_EQ(check.count(), 50);
    ASSERT_EQ(check.firstRows().size(), GsiLossCheck::kKeptRows);
    EXPECT_EQ(check.firstRows().first().row, 1);
    const QString summary = check.summary(3);
    EXPECT_TRUE(summary.startsWith(QStringLiteral("row 2: name \"ABCDEFGHIJ\"")))
        << qPrintable(summary);
    EXPECT_TRUE(summary.endsWith(QStringLiteral("... and 47 more rows"))) << qPrintable(summary);
    EXPECT_EQ(summary.count(QLatin1Char('\n')), 3);
}
