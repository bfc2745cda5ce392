// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/core/coordfiles/delimited/DelimitedTestPoints.h"
#include "tests/support/TestSupport.h"

#include "core/coordfiles/CoordFileIo.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CoordFileRules : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const char *name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir m_dir;
};

const PointList kOldRows({makePoint("1", "keep", "1", "2", "3")});

} // namespace

TEST(CoordFileIo, theExtensionIsWhatFollowsTheLastPointOfTheFileName)
{
    EXPECT_EQ(CoordFileIo::extensionOf(QStringLiteral("/a.b/c.tar.gsi")), "gsi");
    EXPECT_EQ(CoordFileIo::extensionOf(QStringLiteral("/a.b/POINTS.GSI")), "GSI");
    EXPECT_EQ(CoordFileIo::extensionOf(QStringLiteral("/a.b/points")), "");
}

TEST(CoordFileIo, openChoosesByTheExtensionInAnyCase)
{
    EXPECT_EQ(CoordFileIo::formatForExtension(u"gsi"), CoordFormat::Gsi16);
    EXPECT_EQ(CoordFileIo::formatForExtension(u"orb"), CoordFormat::Orb);
    EXPECT_EQ(CoordFileIo::formatForExtension(u"dat"), CoordFormat::South);
    EXPECT_EQ(CoordFileIo::formatForExtension(u"pts"), CoordFormat::Topcon);
    EXPECT_EQ(CoordFileIo::formatForExtension(u"idx"), CoordFormat::Idx);
    // An IDEX download holds GSI lines and is read as GSI.
    EXPECT_EQ(CoordFileIo::formatForExtension(u"idex"), CoordFormat::Gsi16);
    // "POINTS.GSI" from a memory stick is what "points.gsi" is.
    EXPECT_EQ(CoordFileIo::formatForExtension(u"GSI"), CoordFormat::Gsi16);
    EXPECT_EQ(CoordFileIo::formatForExtension(u"Dat"), CoordFormat::South);
    EXPECT_EQ(CoordFileIo::formatForExtension(u"IDEX"), CoordFormat::Gsi16);
    for (const char16_t *other : {u"txt", u"", u"gs", u"gsi8", u"orb "})
        EXPECT_EQ(CoordFileIo::formatForExtension(other), CoordFormat::None);
}

TEST(CoordFileIo, saveAsChoosesGsiByEntryAndTheOthersByExtension)
{
    EXPECT_EQ(CoordFileIo::saveAsFormat(kSaveAsGsi16, u"gsi"), CoordFormat::Gsi16);
    EXPECT_EQ(CoordFileIo::saveAsFormat(kSaveAsGsi8, u"gsi"), CoordFormat::Gsi8);
    EXPECT_EQ(CoordFileIo::saveAsFormat(kSaveAsOrb, u"gsi"), CoordFormat::None);
    EXPECT_EQ(CoordFileIo::saveAsFormat(kSaveAsGsi16, u"orb"), CoordFormat::Orb);
    EXPECT_EQ(CoordFileIo::saveAsFormat(kSaveAsIdx, u"dat"), CoordFormat::South);
    EXPECT_EQ(CoordFileIo::saveAsFormat(kSaveAsTopcon, u"pts"), CoordFormat::Topcon);
    EXPECT_EQ(CoordFileIo::saveAsFormat(kSaveAsIdx, u"idx"), CoordFormat::Idx);
    EXPECT_EQ(CoordFileIo::saveAsFormat(kSaveAsOrb, u"ORB"), CoordFormat::Orb);
    EXPECT_EQ(CoordFileIo::saveAsFormat(kSaveAsGsi8, u"GSI"), CoordFormat::Gsi8);
    EXPECT_EQ(CoordFileIo::saveAsFormat(kSaveAsOrb, u"txt"), CoordFormat::None);
}

TEST_F(CoordFileRules, openOfAnUnknownExtensionEmptiesTheGridAndSaysSo)
{
    const QString unknown = path("POINTS.TXT");
    ASSERT_TRUE(testsupport::writeAll(unknown, "A,,1,2,3\r\n"));
    PointList points = kOldRows;
    const CoordReadResult result = CoordFileIo::open(unknown, points);
    EXPECT_EQ(result.status, CoordReadResult::Status::UnknownExtension);
    EXPECT_TRUE(result.sinkCleared);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(points.pointCount(), 0);
}

TEST_F(CoordFileRules, anUpperCaseExtensionIsReadAndWrittenAsTheLowerCaseOne)
{
    ASSERT_TRUE(testsupport::writeAll(path("POINTS.DAT"), "A,,1,2,3\r\n"));
    ASSERT_TRUE(testsupport::writeAll(path("points.dat"), "A,,1,2,3\r\n"));
    PointList upper = kOldRows;
    PointList lower;
    const CoordReadResult result = CoordFileIo::open(path("POINTS.DAT"), upper);
    ASSERT_TRUE(result.ok()) << qPrintable(result.error);
    EXPECT_EQ(result.format, CoordFormat::South);
    ASSERT_TRUE(CoordFileIo::open(path("points.dat"), lower).ok());
    EXPECT_EQ(upper.points(), lower.points());

    ASSERT_TRUE(CoordFileIo::save(path("OUT.PTS"), goldenPoints()).ok());
    EXPECT_EQ(testsupport::readAll(path("OUT.PTS")),
              testsupport::readAll(testsupport::dataPath(QStringLiteral("delimited/three.pts"))));
}

TEST_F(CoordFileRules, openOfAMissingFileKeepsTheGridAndGivesTheReason)
{
    PointList points = kOldRows;
    const CoordReadResult result = CoordFileIo::open(path("missing.orb"), points);
    EXPECT_EQ(result.status, CoordReadResult::Status::Failed);
    EXPECT_FALSE(result.sinkCleared);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(points.points(), kOldRows.points());
}

TEST_F(CoordFileRules, saveWritesByTheExtensionOfThePath)
{
    const PointList points = goldenPoints();
    for (const char *name : {"x.orb", "x.dat", "x.pts", "x.idx"}) {
        const CoordWriteResult result = CoordFileIo::save(path(name), points);
        ASSERT_TRUE(result.ok()) << name << qPrintable(result.error);
        EXPECT_EQ(result.pointCount, 3);
        const QByteArray golden = testsupport::readAll(
            testsupport::dataPath(QStringLiteral("delimited/three.") +
                                  CoordFileIo::extensionOf(QString::fromUtf8(name))));
        EXPECT_EQ(testsupport::readAll(path(name)), golden) << name;
    }
}

TEST_F(CoordFileRules, saveToAnExtensionWithoutFormatWritesNothing)
{
    const CoordWriteResult result = CoordFileIo::save(path("x.txt"), goldenPoints());
    EXPECT_EQ(result.status, CoordWriteResult::Status::UnknownFormat);
    EXPECT_FALSE(QFile::exists(path("x.txt")));
}

TEST_F(CoordFileRules, saveAsGsiWithTheOrbEntryLeavesAnExistingFileAlone)
{
    const QString target = path("keep.gsi");
    ASSERT_TRUE(testsupport::writeAll(target, "precious"));
    const CoordWriteResult result = CoordFileIo::saveAs(target, kSaveAsOrb, goldenPoints());
    EXPECT_EQ(result.status, CoordWriteResult::Status::UnknownFormat);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(testsupport::readAll(target), QByteArray("precious"));
}

TEST_F(CoordFileRules, theStartingGridsEmptyRowIsNoPointOfTheFile)
{
    const PointList start({makePoint("1", "", "", "", "")});
    const CoordWriteResult result = CoordFileIo::saveAs(path("start.orb"), kSaveAsOrb, start);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.pointCount, 0);
    EXPECT_TRUE(QFile::exists(path("start.orb")));
    EXPECT_EQ(testsupport::readAll(path("start.orb")), QByteArray());
}

TEST_F(CoordFileRules, anEmptyGridSavedAsIdxHoldsHeaderAndTrailer)
{
    ASSERT_TRUE(CoordFileIo::saveAs(path("none.idx"), kSaveAsIdx, PointList()).ok());
    const QByteArray bytes = testsupport::readAll(path("none.idx"));
    EXPECT_TRUE(bytes.startsWith("HEADER\r\n"));
    EXPECT_TRUE(bytes.endsWith("CLASS)\r\n    THEMINFO (PointNo,PointID,Attribute,Value)\r\n"
                               "    END THEMINFO\r\n  END POINTS\r\nEND DATABASE\r\n"));
}

TEST_F(CoordFileRules, aFileThatCannotBeCreatedIsReportedWithItsReason)
{
    const QString target = m_dir.filePath(QStringLiteral("no/such/dir/x.orb"));
    const CoordWriteResult result = CoordFileIo::save(target, goldenPoints());
    EXPECT_EQ(result.status, CoordWriteResult::Status::Failed);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(CoordFileRules, openReadsEveryDelimitedFormatWrittenBySave)
{
    for (const char *name : {"r.orb", "r.pts", "r.idx"}) {
        ASSERT_TRUE(CoordFileIo::save(path(name), goldenPoints()).ok());
        PointList points = kOldRows;
        const CoordReadResult result = CoordFileIo::open(path(name), points);
        ASSERT_TRUE(result.ok()) << name;
        EXPECT_EQ(result.pointCount, 3);
        EXPECT_EQ(points.points(), goldenPoints().points()) << name;
    }
}
