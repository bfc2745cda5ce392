// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/PcFileOps.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("data");
}

TEST(PcFileOps, deletesAFolderTreeButNeverFollowsALinkOutOfIt)
{
    QTemporaryDir work;
    const QString outside = work.filePath("outside");
    const QString tree = work.filePath("tree");
    ASSERT_TRUE(QDir().mkpath(outside + "/keep"));
    touch(outside + "/keep/precious.gsi");
    ASSERT_TRUE(QDir().mkpath(tree + "/sub/deeper"));
    touch(tree + "/a.gsi");
    touch(tree + "/.hidden");
    touch(tree + "/sub/deeper/b.dat");
    ASSERT_TRUE(QFile::link(outside, tree + "/sub/link-to-outside"));
    ASSERT_TRUE(QFile::link(outside + "/keep/precious.gsi", tree + "/file-link"));

    EXPECT_EQ(PcFileOps::countEntries(tree), 7);
    const PcFileOps::DeleteResult result = PcFileOps::deletePath(tree);
    EXPECT_TRUE(result.ok) << result.failed.join(", ").toStdString();
    EXPECT_FALSE(QFileInfo::exists(tree));
    EXPECT_TRUE(QFileInfo::exists(outside + "/keep/precious.gsi"));
}

TEST(PcFileOps, deletesAFileAndReportsWhatCannotGo)
{
    QTemporaryDir work;
    touch(work.filePath("one.gsi"));
    EXPECT_TRUE(PcFileOps::deletePath(work.filePath("one.gsi")).ok);
    EXPECT_FALSE(QFileInfo::exists(work.filePath("one.gsi")));

    const PcFileOps::DeleteResult missing = PcFileOps::deletePath(work.filePath("gone.gsi"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.failed, QStringList({work.filePath("gone.gsi")}));
}

TEST(PcFileOps, programsAreNotOpened)
{
    QTemporaryDir work;
    touch(work.filePath("job.gsi"));
    touch(work.filePath("start.desktop"));
    touch(work.filePath("tool"));
    QFile::setPermissions(work.filePath("tool"), QFile::ReadOwner | QFile::ExeOwner);
    touch(work.filePath("stick.gsi"));
    QFile::setPermissions(work.filePath("stick.gsi"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(PcFileOps::openRefusal(work.filePath("job.gsi")).isEmpty());
    EXPECT_TRUE(PcFileOps::openRefusal(work.filePath("stick.gsi")).isEmpty());
    EXPECT_TRUE(PcFileOps::openRefusal(work.path()).isEmpty());
    EXPECT_FALSE(PcFileOps::openRefusal(work.filePath("start.desktop")).isEmpty());
#ifdef Q_OS_WIN
    // Windows has no execute permission: the suffix alone makes a program.
    touch(work.filePath("setup.EXE"));
    touch(work.filePath("run.cmd"));
    EXPECT_FALSE(PcFileOps::openRefusal(work.filePath("setup.EXE")).isEmpty());
    EXPECT_FALSE(PcFileOps::openRefusal(work.filePath("run.cmd")).isEmpty());
#else
    EXPECT_FALSE(PcFileOps::openRefusal(work.filePath("tool")).isEmpty());
#endif
    EXPECT_FALSE(PcFileOps::openRefusal(work.filePath("missing.gsi")).isEmpty());
}

} // namespace
