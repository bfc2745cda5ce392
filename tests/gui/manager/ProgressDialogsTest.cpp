// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/Messages.h"
#include "gui/common/Translations.h"
#include "gui/manager/ProgressDialog.h"
#include "gui/manager/WaitDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class RecordedMessages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Messages::setHandler({[this](const QString &t, Messages::Kind) { shown << t; },
                              [](const QString &) {
                                  return true;
                              }});
    }
    void TearDown() override { Messages::setHandler({}); }
    QStringList shown;
};

using WaitDialogTest = RecordedMessages;
using ProgressDialogTest = RecordedMessages;

TEST_F(WaitDialogTest, silentInstrumentIsReportedOnTheEleventhTick)
{
    WaitDialog d(nullptr, 1000 * 3600);
    QSignalSpy finished(&d, &QDialog::finished);
    QSignalSpy cancelled(&d, &WaitDialog::cancelRequested);
    for (int i = 0; i < 10; ++i)
        d.tick();
    EXPECT_TRUE(shown.isEmpty());
    d.tick();
    EXPECT_EQ(shown, QStringList({"Communication Err,Please Check Port!"}));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Accepted);
    // Giving up is no cancel: a late answer can still start the conversation.
    EXPECT_EQ(cancelled.count(), 0);
}

TEST_F(WaitDialogTest, runningTimerGivesUpAgainstASilentInstrument)
{
    WaitDialog d(nullptr, 2);
    d.exec(); // returns when the timer gives up
    EXPECT_EQ(shown, QStringList({WaitDialog::failureText()}));
}

TEST_F(WaitDialogTest, closesWhenTheDirectoryIsReadAndWaitsWhileItIsRead)
{
    WaitDialog d(nullptr, 1000 * 3600);
    QSignalSpy finished(&d, &QDialog::finished);
    d.instrumentAnswered();
    for (int i = 0; i < 30; ++i)
        d.tick();
    EXPECT_EQ(finished.count(), 0);
    d.directoryRead();
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Accepted);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(WaitDialogTest, cancelAndEscapeAskForTheConnectionToBeCancelled)
{
    for (const bool escape : {false, true}) {
        WaitDialog d;
        QSignalSpy cancelled(&d, &WaitDialog::cancelRequested);
        d.show();
        if (escape)
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            d.cancelButton()->click();
        EXPECT_EQ(cancelled.count(), 1) << escape;
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_FALSE(d.isVisible());
    }
}

TEST_F(WaitDialogTest, lostLinkClosesWithItsMessage)
{
    WaitDialog d;
    QSignalSpy cancelled(&d, &WaitDialog::cancelRequested);
    d.show();
    d.abortWithMessage("Connection lost");
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(shown, QStringList({"Connection lost"}));
    EXPECT_EQ(cancelled.count(), 0);
}

TEST_F(WaitDialogTest, textsInBothLanguages)
{
    WaitDialog en;
    EXPECT_EQ(en.titleLabel()->text(), "Initiating Communication");
    EXPECT_EQ(en.waitLabel()->text(), "Please Wait...");
    EXPECT_EQ(en.cancelButton()->text(), "CANCEL");
    const Translations::Scope chinese(QStringLiteral("zh_CN"));
    WaitDialog zh;
    EXPECT_EQ(zh.titleLabel()->text(), "初始化 通信");
    EXPECT_EQ(zh.waitLabel()->text(), "请等待...");
    EXPECT_EQ(zh.cancelButton()->text(), "取消");
}

TEST_F(ProgressDialogTest, downloadShowsTypePathCountAndCountsLines)
{
    ProgressDialog::Info info;
    info.downloadFormat = DownloadFormat::Cass;
    info.destination = "/data/jobs/";
    info.countText = "250\r\n";
    ProgressDialog d(info);
    EXPECT_EQ(d.fileTypeField()->text(), "CASS(*.dat)");
    EXPECT_EQ(d.destinationField()->text(), "/data/jobs/");
    EXPECT_EQ(d.blockField()->text(), "250");
    EXPECT_EQ(d.shortBar()->maximum(), 100);
    EXPECT_EQ(d.longBar()->maximum(), 1000);
    EXPECT_EQ(d.shortBar()->value(), 0);

    QSignalSpy finished(&d, &QDialog::finished);
    d.setProgress(9, 250);
    EXPECT_EQ(d.blockField()->text(), "9");
    d.setProgress(250, 250);
    EXPECT_EQ(d.blockField()->text(), "250");
    EXPECT_EQ(d.shortBar()->value(), 100);
    EXPECT_EQ(d.longBar()->value(), 250);
    EXPECT_EQ(finished.count(), 0);
    d.transferEnded();
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(ProgressDialogTest, uploadShowsTheJobAndTheLastDownloadsType)
{
    ProgressDialog::Info info;
    info.downloadFormat = DownloadFormat::Idex;
    info.destination = "ROAD1";
    ProgressDialog d(info);
    EXPECT_EQ(d.fileTypeField()->text(), "IDEX(*.idex)");
    EXPECT_EQ(d.destinationField()->text(), "ROAD1");
}

TEST_F(ProgressDialogTest, countZeroKeepsTheCountTextAndCancelAsksToStopTheTransfer)
{
    ProgressDialog::Info info;
    info.countText = "0\r\n";
    ProgressDialog d(info);
    d.show();
    d.transferEnded();
    EXPECT_EQ(d.blockField()->text(), "0");
    EXPECT_FALSE(d.isVisible());

    // CANCEL asks for the transfer to stop; the transfer's end closes the dialog.
    ProgressDialog c(info);
    QSignalSpy cancelled(&c, &ProgressDialog::cancelRequested);
    QObject::connect(&c, &ProgressDialog::cancelRequested, &c, &ProgressDialog::transferEnded);
    c.show();
    c.cancelButton()->click();
    EXPECT_EQ(cancelled.count(), 1);
    EXPECT_FALSE(c.isVisible());
    EXPECT_EQ(c.result(), QDialog::Accepted);

    // Escape is CANCEL; with nothing left to stop the dialog still closes.
    ProgressDialog e(info);
    QSignalSpy escaped(&e, &ProgressDialog::cancelRequested);
    e.show();
    QTest::keyClick(&e, Qt::Key_Escape);
    EXPECT_EQ(escaped.count(), 1);
    EXPECT_FALSE(e.isVisible());
}

TEST_F(ProgressDialogTest, textsInBothLanguages)
{
    ProgressDialog en({});
    EXPECT_EQ(en.windowTitle(), "Send/Receive...");
    EXPECT_EQ(en.cancelButton()->text(), "CANCEL");
    const Translations::Scope chinese(QStringLiteral("zh_CN"));
    ProgressDialog zh({});
    EXPECT_EQ(zh.windowTitle(), "发送/接收...");
    EXPECT_EQ(zh.cancelButton()->text(), "取消");
    QStringList labels;
    for (QLabel *l : zh.findChildren<QLabel *>())
        labels << l->text();
    for (const char *t : {"文件格式:", "从:", "到:", "块:"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(t))) << t;
}

} // namespace
