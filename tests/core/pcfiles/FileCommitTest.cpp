// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FailingDevice.h"
#include "tests/support/TestSupport.h"

#include "core/pcfiles/FileCommit.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::readAll;
using testsupport::writeAll;

namespace {

const QByteArray kGood = "the good file\r\n";

QStringList entries(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

TEST(FileCommit, writesTheFileAndLeavesNoTemporaryFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    ASSERT_TRUE(writeAll(path, kGood));
    QSaveFile file(path);
    QString reason;
    ASSERT_TRUE(FileCommit::open(file, &reason)) << reason.toStdString();
    file.write("new\r\n");
    EXPECT_TRUE(FileCommit::commit(file, &reason)) << reason.toStdString();
    EXPECT_EQ(readAll(path), QByteArray("new\r\n"));
    EXPECT_EQ(entries(dir), QStringList{QStringLiteral("out.txt")});
}

// Qt's own commit() renames the temporary file even when its last flush fails.
TEST(FileCommit, aFinalFlushThatFailsKeepsTheExistingFileAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    ASSERT_TRUE(writeAll(path, kGood));
    QSaveFile file(path);
    QString reason;
    ASSERT_TRUE(FileCommit::open(file, &reason));
    bool committed = true;
    {
        FileSizeLimit limit(100);
        if (!limit.active())
            GTEST_SKIP() << "no file size limit on this system";
        // Small enough to stay in QSaveFile's buffer until the commit.
        EXPECT_EQ(file.write(QByteArray(1000, 'x')), 1000);
        committed = FileCommit::commit(file, &reason);
    }
    EXPECT_FALSE(committed);
    EXPECT_EQ(reason, qt_error_string(EFBIG));
    EXPECT_EQ(readAll(path), kGood);
    EXPECT_EQ(entries(dir), QStringList{QStringLiteral("out.txt")});
}

TEST(FileCommit, aWriteThatFailedEarlierIsNotCommittedEvenWhenUnchecked)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    ASSERT_TRUE(writeAll(path, kGood));
    QSaveFile file(path);
    QString reason;
    ASSERT_TRUE(FileCommit::open(file, &reason));
    bool committed = true;
    {
        FileSizeLimit limit(100);
        if (!limit.active())
            GTEST_SKIP() << "no file size limit on this system";
        // Larger than the buffer: the writes go to the disk at once, the first
        // is cut short, the second fails.
        file.write(QByteArray(100000, 'x'));
        file.write(QByteArray(100000, 'y'));
        committed = FileCommit::commit(file, &reason);
    }
    EXPECT_FALSE(committed);
    EXPECT_EQ(reason, qt_error_string(EFBIG));
    EXPECT_EQ(readAll(path), kGood);
    EXPECT_EQ(entries(dir), QStringList{QStringLiteral("out.txt")});
}

TEST(FileCommit, cancelRemovesTheTemporaryFileAtOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    ASSERT_TRUE(writeAll(path, kGood));
    QSaveFile file(path);
    QString reason;
    ASSERT_TRUE(FileCommit::open(file, &reason));
    file.write("half");
    FileCommit::cancel(file);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(readAll(path), kGood);
    EXPECT_EQ(entries(dir), QStringList{QStringLiteral("out.txt")});
}

TEST(FileCommit, openInAMissingFolderSaysWhy)
{
    QTemporaryDir dir;
    QSaveFile file(dir.filePath(QStringLiteral("missing/out.txt")));
    QString reason;
    EXPECT_FALSE(FileCommit::open(file, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_NE(reason, QStringLiteral("Unknown error"));
}

TEST(FileCommit, theReasonOfADeviceWithoutOneIsNeverUnknownError)
{
    FailingDevice device(0);
    EXPECT_EQ(device.write("x", 1), -1);
    EXPECT_EQ(FileCommit::reasonOf(device), qt_error_string(ENOSPC));

    QSaveFile silent(QStringLiteral("unused"));
    errno = 0;
    const QString reason = FileCommit::reasonOf(silent);
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_NE(reason, QStringLiteral("Unknown error"));
}
