#include "pcfiles/PcDelete.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// A stand-in for the machine: a "drive", a "home" inside it and a work folder
// beside home, all inside one temporary folder.
class PcDeleteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_drive = m_tmp.filePath("drive");
        m_home = m_drive + "/home/surveyor";
        m_work = m_drive + "/work";
        ASSERT_TRUE(QDir().mkpath(m_home));
        ASSERT_TRUE(QDir().mkpath(m_work));
        write(m_home + "/keep.gsi");
    }

    static void write(const QString &path, const QByteArray &bytes = "*110001+0000\r\n")
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(testsupport::writeAll(path, bytes)) << path.toStdString();
    }

    PcDelete deleter() const { return PcDelete({m_drive, m_home}); }

    QTemporaryDir m_tmp;
    QString m_drive, m_home, m_work;
};

TEST_F(PcDeleteTest, drivesHomeRootsAndFoldersAboveThemAreRefusedAndKept)
{
    const PcDelete d = deleter();
    for (const QString &path : {QString("My Computer"), QString(), QDir::rootPath(), m_drive,
                                m_home, m_home + "/", m_drive + "/home", m_work + "/../home"}) {
        EXPECT_EQ(d.inspect(path).kind, PcDelete::Kind::Refused) << path.toStdString();
        const PcDelete::Outcome out = d.remove(path);
        EXPECT_FALSE(out.ok) << path.toStdString();
        EXPECT_FALSE(out.message.isEmpty());
    }
    EXPECT_TRUE(QFile::exists(m_home + "/keep.gsi"));
    // The real home folder is protected without being named.
    EXPECT_EQ(PcDelete().inspect(QDir::homePath()).kind, PcDelete::Kind::Refused);
}

TEST_F(PcDeleteTest, fileIsDeletedAndAMissingOneIsReported)
{
    write(m_work + "/job1.gsi");
    const PcDelete d = deleter();
    EXPECT_EQ(d.inspect(m_work + "/job1.gsi").kind, PcDelete::Kind::File);
    const PcDelete::Outcome out = d.remove(m_work + "/job1.gsi");
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.removed, 1);
    EXPECT_FALSE(QFile::exists(m_work + "/job1.gsi"));

    const PcDelete::Outcome again = d.remove(m_work + "/job1.gsi");
    EXPECT_FALSE(again.ok);
    EXPECT_FALSE(again.message.isEmpty());
}

TEST_F(PcDeleteTest, folderTreeIsCountedThenRemovedWithHiddenAndDotlessEntries)
{
    const QString folder = m_work + "/Data";
    write(folder + "/job1.gsi");
    write(folder + "/.hidden");
    write(folder + "/README");
    write(folder + "/A/B/deep.dat");
    QDir().mkpath(folder + "/empty");

    const PcDelete d = deleter();
    const PcDelete::Target t = d.inspect(folder);
    EXPECT_EQ(t.kind, PcDelete::Kind::Folder);
    EXPECT_EQ(t.entryCount, 7); // 3 files, A, A/B, A/B/deep.dat, empty

    const PcDelete::Outcome out = d.remove(folder);
    EXPECT_TRUE(out.ok) << out.message.toStdString();
    EXPECT_EQ(out.removed, 8);
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_TRUE(QFileInfo::exists(m_work));
}

#ifdef Q_OS_UNIX
TEST_F(PcDeleteTest, linksInsideAFolderAreRemovedAsLinksNeverFollowed)
{
    const QString outside = m_drive + "/precious";
    write(outside + "/survey.gsi");
    write(m_drive + "/single.gsi");
    const QString folder = m_work + "/Data";
    write(folder + "/job1.gsi");
    ASSERT_TRUE(QFile::link(outside, folder + "/toFolder"));
    ASSERT_TRUE(QFile::link(m_drive + "/single.gsi", folder + "/toFile"));
    ASSERT_TRUE(QFile::link(m_drive + "/nowhere", folder + "/dangling"));

    const PcDelete d = deleter();
    EXPECT_EQ(d.inspect(folder).entryCount, 4);
    const PcDelete::Outcome out = d.remove(folder);
    EXPECT_TRUE(out.ok) << out.message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_TRUE(QFile::exists(outside + "/survey.gsi"));
    EXPECT_TRUE(QFile::exists(m_drive + "/single.gsi"));
}

TEST_F(PcDeleteTest, aChosenLinkToTheHomeFolderGoesAsALinkOnly)
{
    const QString link = m_work + "/home-link";
    ASSERT_TRUE(QFile::link(m_home, link));
    const PcDelete d = deleter();
    EXPECT_EQ(d.inspect(link).kind, PcDelete::Kind::Link);
    EXPECT_TRUE(d.remove(link).ok);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFile::exists(m_home + "/keep.gsi"));
}

TEST_F(PcDeleteTest, entriesThatCannotBeRemovedAreReportedAndTheFolderStays)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    const QString folder = m_work + "/Data";
    write(folder + "/locked/inside.gsi");
    write(folder + "/free.gsi");
    QFile::setPermissions(folder + "/locked", QFile::ReadOwner | QFile::ExeOwner);

    const PcDelete::Outcome out = deleter().remove(folder);
    QFile::setPermissions(folder + "/locked",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(out.ok);
    EXPECT_TRUE(out.leftOver.contains(folder + "/locked/inside.gsi"));
    EXPECT_FALSE(out.message.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(folder + "/locked/inside.gsi"));
}
#endif

} // namespace
