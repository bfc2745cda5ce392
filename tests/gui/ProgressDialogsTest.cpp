#include "common/Messages.h"
#include "manager/ProgressDialog.h"
#include "manager/WaitDialog.h"
#include "state/AppState.h"

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
    AppState state;
    state.transfer.TransferKind = 1;
    WaitDialog d(state, nullptr, 5);
    QSignalSpy finished(&d, &QDialog::finished);
    for (int i = 0; i < 10; ++i)
        d.tick();
    EXPECT_TRUE(shown.isEmpty());
    d.tick();
    EXPECT_EQ(shown, QStringList({"Communication Err,Please Check Port!"}));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Accepted);
    // A late answer can still start the conversation.
    EXPECT_EQ(state.transfer.TransferKind, 1);
    EXPECT_EQ(state.transfer.ConnectProgress, 0);
}

TEST_F(WaitDialogTest, runningTimerGivesUpAgainstASilentInstrument)
{
    AppState state;
    state.transfer.TransferKind = 1;
    WaitDialog d(state, nullptr, 2);
    d.exec(); // returns when the timer gives up
    EXPECT_EQ(shown, QStringList({WaitDialog::failureText()}));
}

TEST_F(WaitDialogTest, closesWhenTheDirectoryIsReadAndWaitsWhileItIsRead)
{
    AppState state;
    state.transfer.TransferKind = 0; // answered
    WaitDialog d(state, nullptr, 5);
    QSignalSpy finished(&d, &QDialog::finished);
    for (int i = 0; i < 30; ++i)
        d.tick();
    EXPECT_EQ(finished.count(), 0);
    state.transfer.ConnectProgress = 32;
    d.tick();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(state.transfer.ConnectProgress, 0);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(WaitDialogTest, cancelAsksForThePortToClose)
{
    AppState state;
    state.transfer.TransferKind = 1;
    WaitDialog d(state);
    d.show();
    d.cancelButton()->click();
    EXPECT_EQ(state.transfer.TransferKind, 6);
    EXPECT_EQ(d.result(), QDialog::Rejected);
}

TEST_F(WaitDialogTest, lostLinkClosesWithItsMessage)
{
    AppState state;
    state.transfer.TransferKind = 1;
    WaitDialog d(state);
    d.show();
    d.abortWithMessage("Connection lost");
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(shown, QStringList({"Connection lost"}));
}

TEST_F(WaitDialogTest, textsInBothLanguages)
{
    AppState state;
    WaitDialog en(state);
    EXPECT_EQ(en.titleLabel()->text(), "Initiating Communication");
    EXPECT_EQ(en.waitLabel()->text(), "Please Wait...");
    EXPECT_EQ(en.cancelButton()->text(), "CANCEL");
    state.UiLanguage = 1;
    WaitDialog zh(state);
    EXPECT_EQ(zh.titleLabel()->text(), "初始化 通信");
    EXPECT_EQ(zh.waitLabel()->text(), "请等待...");
    EXPECT_EQ(zh.cancelButton()->text(), "取消");
}

TEST_F(ProgressDialogTest, downloadShowsTypePathCountAndCountsLines)
{
    AppState state;
    state.transfer.TransferKind = 3;
    state.transfer.DataTypeIndex = 2;
    state.transfer.PcPath = "/data/jobs/";
    state.transfer.JobBlockCount = "250\r\n";
    state.transfer.TransferBlock = 9;
    state.transfer.TransferDone = 1;
    ProgressDialog d(state, "ignored", nullptr, 5);
    EXPECT_EQ(d.fileTypeField()->text(), "CASS(*.dat)");
    EXPECT_EQ(d.destinationField()->text(), "/data/jobs/");
    EXPECT_EQ(d.blockField()->text(), "250");
    EXPECT_EQ(state.transfer.TransferDone, 0);
    EXPECT_EQ(state.transfer.TransferBlock, 0);
    EXPECT_EQ(d.shortBar()->maximum(), 100);
    EXPECT_EQ(d.longBar()->maximum(), 1000);

    QSignalSpy finished(&d, &QDialog::finished);
    state.transfer.TransferBlock = 250;
    d.tick();
    EXPECT_EQ(d.blockField()->text(), "250");
    EXPECT_EQ(d.shortBar()->value(), 100);
    EXPECT_EQ(d.longBar()->value(), 250);
    EXPECT_EQ(finished.count(), 0);
    state.transfer.TransferDone = 1;
    d.tick();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(state.transfer.TransferDone, 0);
}

TEST_F(ProgressDialogTest, uploadShowsTheJobAndTheLastDownloadsType)
{
    AppState state;
    state.transfer.TransferKind = 5;
    state.transfer.DataTypeIndex = 1;
    state.transfer.PcPath = "/data/up.gsi";
    ProgressDialog d(state, "ROAD1", nullptr, 5);
    EXPECT_EQ(d.fileTypeField()->text(), "IDEX(*.gsi)");
    EXPECT_EQ(d.destinationField()->text(), "ROAD1");
}

TEST_F(ProgressDialogTest, countZeroKeepsTheCountTextAndCancelLeavesTheTransfer)
{
    AppState state;
    state.transfer.TransferKind = 3;
    state.transfer.JobBlockCount = "0\r\n";
    ProgressDialog d(state, QString(), nullptr, 5);
    d.show();
    state.transfer.TransferDone = 1;
    d.tick();
    EXPECT_EQ(d.blockField()->text(), "0");
    EXPECT_FALSE(d.isVisible());

    ProgressDialog c(state, QString(), nullptr, 5);
    c.show();
    c.cancelButton()->click();
    EXPECT_FALSE(c.isVisible());
    EXPECT_EQ(state.transfer.TransferKind, 3);
}

TEST_F(ProgressDialogTest, textsInBothLanguages)
{
    AppState state;
    ProgressDialog en(state, QString());
    EXPECT_EQ(en.windowTitle(), "Send/Receive...");
    EXPECT_EQ(en.cancelButton()->text(), "CANCEL");
    state.UiLanguage = 1;
    ProgressDialog zh(state, QString());
    EXPECT_EQ(zh.windowTitle(), "发送/接收...");
    EXPECT_EQ(zh.cancelButton()->text(), "取消");
    QStringList labels;
    for (QLabel *l : zh.findChildren<QLabel *>())
        labels << l->text();
    for (const char *t : {"文件格式:", "从:", "到:", "块:"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(t))) << t;
}

} // namespace
