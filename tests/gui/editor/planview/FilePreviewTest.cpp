// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/FilePreview.h"
#include "core/state/AppState.h"
#include "gui/manager/ManagerWindow.h"
#include "gui/manager/PcTree.h"

#include "tests/support/TestSupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(FilePreview, showsCountExtentAndPlanOfTheSelectedFile)
{
    FilePreview preview;
    QSignalSpy shown(&preview, &FilePreview::previewShown);
    const QString csv = testsupport::dataPath(QStringLiteral("formats/header.csv"));
    preview.showFile(csv);
    ASSERT_TRUE(shown.wait(10000));
    EXPECT_TRUE(preview.text().contains(QLatin1String("2 points"))) << preview.text().toStdString();
    EXPECT_TRUE(preview.text().contains(QLatin1String("500987.654")))
        << preview.text().toStdString();
    EXPECT_EQ(preview.plan().size(), QSize(FilePreview::kPlanSide, FilePreview::kPlanSide));

    preview.showFile(testsupport::dataPath(QStringLiteral("formats/notes.txt")));
    EXPECT_TRUE(preview.plan().isNull());
}

TEST(FilePreview, anUpperCaseExtensionIsPreviewedAsTheLowerCaseOne)
{
    QTemporaryDir dir;
    const QString upper = dir.filePath(QStringLiteral("POINTS.DAT"));
    ASSERT_TRUE(testsupport::writeAll(upper, "A,,500.1,300.2,1\r\nB,,500.3,300.4,2\r\n"));
    const FilePreviewResult result = FilePreview::read(upper, FilePreview::kPlanSide);
    EXPECT_TRUE(result.readable);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.points, 2);
    EXPECT_EQ(result.format, QStringLiteral("SOUTH"));
}

TEST(FilePreview, largeFileIsReadWhileTheWindowGoesOnAndTheLastChoiceWins)
{
    QTemporaryDir dir;
    QByteArray big = "Name,East,North\n";
    for (int i = 0; i < 200000; ++i)
        big += "P" + QByteArray::number(i) + ',' + QByteArray::number(1000 + i % 977) + ',' +
               QByteArray::number(2000 + i % 613) + '\n';
    const QString bigPath = dir.filePath(QStringLiteral("big.csv"));
    ASSERT_TRUE(testsupport::writeAll(bigPath, big));
    const QString small = testsupport::dataPath(QStringLiteral("formats/noheader.csv"));

    FilePreview preview;
    QSignalSpy shown(&preview, &FilePreview::previewShown);
    preview.showFile(bigPath);
    EXPECT_TRUE(preview.isBusy()) << "read on a worker thread";
    preview.showFile(small);
    ASSERT_TRUE(shown.wait(30000));
    if (shown.at(0).at(0).toString() != small) {
        ASSERT_TRUE(shown.wait(30000));
    }
    EXPECT_EQ(shown.last().at(0).toString(), small);
    EXPECT_TRUE(preview.text().contains(QLatin1String("noheader.csv")));
}

TEST(FilePreview, managerShowsThePreviewOfTheFileSelectedInThePcTree)
{
    QTemporaryDir dir;
    ASSERT_TRUE(testsupport::writeAll(dir.filePath(QStringLiteral("job.csv")),
                                      "Name,East,North\nA,1,2\nB,3,4\nC,,\n"));
    AppState state;
    ManagerWindow::Options options;
    options.drives = {dir.path()};
    ManagerWindow manager(state, options);
    QSignalSpy shown(manager.filePreview(), &FilePreview::previewShown);
    Q_EMIT manager.pcTree()->selectionRecorded(dir.filePath(QStringLiteral("job.csv")));
    ASSERT_TRUE(shown.wait(10000));
    const QString text = manager.filePreview()->text();
    EXPECT_TRUE(text.contains(QLatin1String("3 points"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("1 without coordinates"))) << text.toStdString();
}
