// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/core/coordfiles/delimited/DelimitedTestPoints.h"
#include "tests/support/TestSupport.h"

#include "core/coordfiles/CoordFileIo.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class GsiFileRules : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const char *name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir m_dir;
};

// 1e9 m fits GSI-16's thirteen integer digits but breaks Save as's range rule;
// 150000 m is a usual Chinese grid northing that GSI-8 cannot hold.
const PointList kLarge({makePoint("1", "A", "1000000000", "150000", "10"),
                        makePoint("2", "B", "500.5", "3000.25", "1")});

qsizetype lineLength(const QByteArray &bytes)
{
    return bytes.indexOf('\n') + 1;
}

} // namespace

TEST_F(GsiFileRules, saveWritesGsi16WithoutTheRangeRule)
{
    const CoordWriteResult result = CoordFileIo::save(path("x.gsi"), kLarge);
    ASSERT_TRUE(result.ok()) << qPrintable(result.error);
    EXPECT_EQ(result.format, CoordFormat::Gsi16);
    EXPECT_TRUE(result.zeroRows.isEmpty());
    const QByteArray bytes = testsupport::readAll(path("x.gsi"));
    EXPECT_EQ(bytes.size(), 2 * 99);
    EXPECT_EQ(bytes.mid(24, 24), QByteArray(" 81..10+0001000000000000"));
}

TEST_F(GsiFileRules, saveAsAppliesTheRangeRuleAndNamesTheRowsWrittenAsZero)
{
    const CoordWriteResult gsi16 = CoordFileIo::saveAs(path("a.gsi"), kSaveAsGsi16, kLarge);
    ASSERT_TRUE(gsi16.ok());
    EXPECT_EQ(gsi16.zeroRows, QVector<qsizetype>({0}));
    EXPECT_EQ(testsupport::readAll(path("a.gsi")).mid(32, 16), QByteArray(16, '0'));

    const CoordWriteResult gsi8 = CoordFileIo::saveAs(path("b.gsi"), kSaveAsGsi8, kLarge);
    ASSERT_TRUE(gsi8.ok());
    EXPECT_EQ(gsi8.format, CoordFormat::Gsi8);
    EXPECT_EQ(gsi8.zeroRows, QVector<qsizetype>({0}));
    EXPECT_EQ(lineLength(testsupport::readAll(path("b.gsi"))), 66);
}

TEST_F(GsiFileRules, aGsi8FileOpenedAndSavedBecomesGsi16)
{
    ASSERT_TRUE(CoordFileIo::saveAs(path("f.gsi"), kSaveAsGsi8, goldenPoints()).ok());
    PointList points;
    const CoordReadResult read = CoordFileIo::open(path("f.gsi"), points);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.format, CoordFormat::Gsi8);
    EXPECT_EQ(read.pointCount, 3);
    ASSERT_TRUE(CoordFileIo::save(path("f.gsi"), points).ok());
    EXPECT_EQ(lineLength(testsupport::readAll(path("f.gsi"))), 99);
}

TEST_F(GsiFileRules, aGsiFileOfNeitherFormLeavesTheGridAsItWas)
{
    const PointList old({makePoint("1", "keep", "1", "2", "3")});
    ASSERT_TRUE(CoordFileIo::saveAs(path("ok.gsi"), kSaveAsGsi16, old).ok());
    const QByteArray valid = testsupport::readAll(path("ok.gsi"));
    // Binary junk that begins with a NUL, so it is built with its length.
    static const char kJunk[] = "\x00\x01\xFF\xFE junk";
    for (const QByteArray &bytes :
         {QByteArray(), QByteArray("1,A,2,3,4\r\n"), QByteArray(kJunk, sizeof kJunk - 1)}) {
        ASSERT_TRUE(testsupport::writeAll(path("n.gsi"), bytes));
        PointList points = old;
        const CoordReadResult result = CoordFileIo::open(path("n.gsi"), points);
        EXPECT_EQ(result.status, CoordReadResult::Status::NotRecognised);
        EXPECT_FALSE(result.sinkCleared);
        EXPECT_FALSE(result.error.isEmpty());
        EXPECT_EQ(points.points(), old.points());
    }
    // A byte-order mark before the first line is no reason to refuse the file.
    ASSERT_TRUE(testsupport::writeAll(path("n.gsi"), "\xEF\xBB\xBF" + valid));
    PointList points;
    EXPECT_TRUE(CoordFileIo::open(path("n.gsi"), points).ok());
    EXPECT_EQ(points.points(),
              PointList({makePoint("1", "keep", "1.000", "2.000", "3.000")}).points());
}

TEST_F(GsiFileRules, anUpperCaseGsiExtensionIsReadAndWrittenAsGsi)
{
    ASSERT_TRUE(CoordFileIo::saveAs(path("u.gsi"), kSaveAsGsi8, goldenPoints()).ok());
    const QByteArray gsi8 = testsupport::readAll(path("u.gsi"));
    ASSERT_TRUE(QFile::rename(path("u.gsi"), path("U.GSI")));
    PointList points;
    const CoordReadResult read = CoordFileIo::open(path("U.GSI"), points);
    ASSERT_TRUE(read.ok()) << qPrintable(read.error);
    EXPECT_EQ(read.format, CoordFormat::Gsi8);
    EXPECT_EQ(points.pointCount(), 3);
    // Save writes GSI-16, Save as with the GSI-8 entry the same bytes as before.
    ASSERT_TRUE(CoordFileIo::save(path("U.GSI"), goldenPoints()).ok());
    EXPECT_EQ(lineLength(testsupport::readAll(path("U.GSI"))), 99);
    ASSERT_TRUE(CoordFileIo::saveAs(path("U.GSI"), kSaveAsGsi8, goldenPoints()).ok());
    EXPECT_EQ(testsupport::readAll(path("U.GSI")), gsi8);
}
