// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pcfiles/ProtectedPaths.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A stand-in machine inside a temporary folder: a "drive", a "home" inside
// it and a work folder beside home.
class ProtectedPathsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_drive = m_tmp.filePath("drive");
        m_home = m_drive + "/home/surveyor";
        m_work = m_drive + "/work";
        ASSERT_TRUE(QDir().mkpath(m_home));
        ASSERT_TRUE(QDir().mkpath(m_work + "/Data"));
        ASSERT_TRUE(testsupport::writeAll(m_work + "/job1.gsi", "*110001+0000\r\n"));
    }

    QTemporaryDir m_tmp;
    QString m_drive, m_home, m_work;
};

TEST_F(ProtectedPathsTest, drivesHomeRootsAndTheFoldersAboveThemAreCovered)
{
    const ProtectedPaths paths({m_drive, m_home});
    for (const QString &p :
         {QString("My Computer"), QString(), QString("relative/dir"), QDir::rootPath(), m_drive,
          m_drive + "/", m_home, m_drive + "/home", m_work + "/../home", QDir::homePath(),
          QFileInfo(QDir::homePath()).absolutePath()})
        EXPECT_TRUE(paths.covers(p)) << p.toStdString();
}

TEST_F(ProtectedPathsTest, ordinaryFilesAndFoldersBesideThemAreNotCovered)
{
    const ProtectedPaths paths({m_drive, m_home});
    for (const QString &p : {m_work, m_work + "/Data", m_work + "/job1.gsi", m_home + "/notes.txt",
                             m_drive + "/home-old"})
        EXPECT_FALSE(paths.covers(p)) << p.toStdString();
}

TEST_F(ProtectedPathsTest, theSystemsOwnFoldersAndEverythingInThemAreCovered)
{
    const ProtectedPaths paths({m_drive, m_home});
    for (const QString &system : ProtectedPaths::systemFolders()) {
        EXPECT_TRUE(paths.covers(system)) << system.toStdString();
        EXPECT_TRUE(paths.covers(system + "/some/file")) << system.toStdString();
    }
#ifdef Q_OS_UNIX
    for (const char *p : {"/usr", "/usr/share/doc", "/etc/passwd", "/bin", "/lib64", "/var/tmp",
                          "/sbin", "/boot", "/proc/1", "/sys", "/dev"})
        EXPECT_TRUE(paths.covers(QString::fromLatin1(p))) << p;
    EXPECT_FALSE(paths.covers(m_work + "/usr"));
    EXPECT_FALSE(paths.covers(m_work + "/variants.gsi"));
#endif
}

#ifdef Q_OS_UNIX
TEST_F(ProtectedPathsTest, aLinkIsJudgedAsItselfNotByWhereItPoints)
{
    const ProtectedPaths paths({m_drive, m_home});
    ASSERT_TRUE(QFile::link(m_home, m_work + "/home-link"));
    EXPECT_FALSE(paths.covers(m_work + "/home-link"));
    // Reaching home through a linked parent folder is still home.
    ASSERT_TRUE(QFile::link(m_drive + "/home", m_tmp.filePath("homes")));
    EXPECT_TRUE(paths.covers(m_tmp.filePath("homes/surveyor")));
}
#endif

} // namespace
