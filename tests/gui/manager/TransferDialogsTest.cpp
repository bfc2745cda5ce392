// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/JobTable.h"
#include "core/state/AppState.h"
#include "gui/common/Messages.h"
#include "gui/common/Translations.h"
#include "gui/manager/DownloadDialog.h"
#include "gui/manager/NewNameDialog.h"
#include "gui/manager/UploadDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "tests/support/WhenShown.h"

#include <gtest/gtest.h>

namespace {

class TransferDialogs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Messages::setHandler({[this](const QString &t, Messages::Kind) { shown << t; },
                              [this](const QString &t) {
                                  asked << t;
                                  return answer;
                              }});
        for (int i = 0; i < JobTable::kJobCount; ++i) {
            jobs.JobSlotLabels[i] = JobTable::slotLabel(i);
            jobs.JobSlotNames[i] = i == 4 ? QStringLiteral("ROAD5") : JobTable::emptyName();
        }
    }
    void TearDown() override { Messages::setHandler({}); }

    QTemporaryDir dir;
    AppState state;
    JobTable jobs;
    QStringList shown, asked;
    bool answer = true;
};

TEST_F(TransferDialogs, downloadShowsItsSourceAndAFileNodeStandsForItsFolder)
{
    QFile(dir.filePath("job1.gsi")).open(QIODevice::WriteOnly);
    state.selection.portLabel = "COM3";
    state.selection.pcPath = dir.filePath("job1.gsi");
    state.selection.jobName = "ROAD";
    state.selection.downloadFormat = DownloadFormat::Cass;
    DownloadDialog d(state, {});
    EXPECT_EQ(d.fromField()->text(), "COM3");
    EXPECT_EQ(d.toField()->text(), QDir::toNativeSeparators(dir.path() + "/"));
    EXPECT_EQ(d.fileNameField()->text(), "ROAD");
    EXPECT_EQ(d.dataTypeBox()->count(), 3);
    EXPECT_EQ(d.dataTypeBox()->currentText(), "GSI(*.gsi)");
    EXPECT_EQ(state.selection.downloadFormat, DownloadFormat::Gsi);
}

TEST_F(TransferDialogs, downloadRefusesNamesThatLeaveTheFolderAndAsksBeforeReplacing)
{
    state.selection.pcPath = dir.path() + "/";
    int confirmed = 0;
    DownloadRequest last;
    DownloadDialog d(state, [&](const DownloadRequest &r) {
        ++confirmed;
        last = r;
        return QString();
    });
    d.show();
    for (const char *bad : {"", "  ", "../up", "sub/name", "..", "a\\b"}) {
        d.fileNameField()->setText(bad);
        d.okButton()->click();
    }
    EXPECT_EQ(confirmed, 0);
    EXPECT_EQ(shown.size(), 6);
    EXPECT_TRUE(d.isVisible());

    QFile(dir.filePath("ROAD.dat")).open(QIODevice::WriteOnly);
    d.fileNameField()->setText("ROAD");
    d.dataTypeBox()->setCurrentIndex(2);
    answer = false;
    d.okButton()->click();
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(confirmed, 0);
    answer = true;
    d.okButton()->click();
    ASSERT_EQ(confirmed, 1);
    EXPECT_TRUE(last.overwrite);
    EXPECT_EQ(last.format, DownloadFormat::Cass);
    EXPECT_EQ(last.folder, dir.path() + "/");
    EXPECT_EQ(state.selection.jobName, "ROAD");
    EXPECT_EQ(state.selection.downloadFormat, DownloadFormat::Cass);
    EXPECT_FALSE(d.isVisible());
}

TEST_F(TransferDialogs, downloadStaysOpenWhenTheEngineRefuses)
{
    state.selection.pcPath = dir.path() + "/";
    DownloadDialog d(state, [](const DownloadRequest &) { return QStringLiteral("cannot"); });
    d.show();
    d.fileNameField()->setText("ROAD");
    d.okButton()->click();
    EXPECT_EQ(shown, QStringList({"cannot"}));
    EXPECT_TRUE(d.isVisible());
}

TEST_F(TransferDialogs, uploadOffersTheSlotsAndNeedsOneChosen)
{
    state.selection.pcPath = dir.filePath("up.gsi");
    state.selection.jobNumber = 0; // nothing selected yet
    UploadDialog none(state, jobs, {});
    EXPECT_EQ(none.jobBox()->count(), 17);
    EXPECT_EQ(none.jobBox()->itemText(4), "JobList 5:ROAD5");
    EXPECT_EQ(none.jobBox()->itemText(16), "JobList 17:<empty>");
    EXPECT_EQ(none.chosenSlot(), -1);
    EXPECT_FALSE(none.okButton()->isEnabled());
    EXPECT_EQ(none.dataTypeBox()->currentIndex(), -1);
    none.jobBox()->setCurrentIndex(4);
    EXPECT_TRUE(none.okButton()->isEnabled());

    state.selection.jobNumber = 5;
    UploadDialog five(state, jobs, {});
    EXPECT_EQ(five.chosenSlot(), 4);
}

TEST_F(TransferDialogs, uploadIntoANamedSlotGoesStraightOn)
{
    state.selection.pcPath = dir.filePath("up.gsi");
    state.selection.jobNumber = 5;
    UploadRequest got;
    UploadDialog d(state, jobs, [&](const UploadRequest &r) {
        got = r;
        return QString();
    });
    d.okButton()->click();
    EXPECT_EQ(got.jobNumber, 5);
    EXPECT_TRUE(got.newJobName.isEmpty());
    EXPECT_EQ(got.filePath, dir.filePath("up.gsi"));
    EXPECT_EQ(d.request().jobNumber, 5);
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(TransferDialogs, enterInTheSlotBoxPressesOkAtOnce)
{
    state.selection.pcPath = dir.filePath("up.gsi");
    state.selection.jobNumber = 5;
    int confirmed = 0;
    UploadDialog d(state, jobs, [&](const UploadRequest &) {
        ++confirmed;
        return QString();
    });
    d.show();
    d.jobBox()->setFocus();
    d.jobBox()->lineEdit()->selectAll(); // as the box shows its text on opening
    QTest::keyClick(d.jobBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(confirmed, 1);
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(TransferDialogs, uploadIntoAnEmptySlotAsksForItsNameFirst)
{
    state.selection.jobNumber = 12;
    int confirmed = 0;
    UploadRequest got;
    UploadDialog d(state, jobs, [&](const UploadRequest &r) {
        ++confirmed;
        got = r;
        return QString();
    });
    new WhenShown<NewNameDialog>(
        &d,
        [](NewNameDialog *n) {
            QTimer::singleShot(0, n, [n] {
                n->nameField()->setText("NEW");
                n->okButton()->click();
            });
        },
        WhenShown<NewNameDialog>::Once);
    d.okButton()->click();
    ASSERT_EQ(confirmed, 1);
    EXPECT_EQ(got.jobNumber, 12);
    EXPECT_EQ(got.newJobName, "NEW");

    UploadDialog cancelled(state, jobs, [&](const UploadRequest &) {
        ++confirmed;
        return QString();
    });
    new WhenShown<NewNameDialog>(&cancelled, [](NewNameDialog *n) {
        QTimer::singleShot(0, n->cancelButton(), &QPushButton::click);
    });
    cancelled.okButton()->click();
    EXPECT_EQ(confirmed, 1);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

TEST_F(TransferDialogs, newNamesMustBeSendable)
{
    for (const char *bad : {"", "   ", "A/B", "A,B", "tab\there"})
        EXPECT_FALSE(NewNameDialog::nameError(QString::fromUtf8(bad)).isEmpty()) << bad;
    EXPECT_TRUE(NewNameDialog::nameError("ROAD2").isEmpty());
    // The directory line must carry the name within one reply; the dialog says how long.
    EXPECT_TRUE(NewNameDialog::nameError(QString(478, QLatin1Char('N'))).isEmpty());
    EXPECT_FALSE(NewNameDialog::nameError(QString(479, QLatin1Char('N'))).isEmpty());
    NewNameDialog d(state);
    EXPECT_TRUE(d.limitLabel()->text().contains(QStringLiteral("478")))
        << d.limitLabel()->text().toStdString();
    d.show();
    d.okButton()->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(shown.size(), 1);
}

TEST_F(TransferDialogs, textsInBothLanguages)
{
    DownloadDialog en(state, {});
    EXPECT_EQ(en.windowTitle(), "File Down...");
    // The upload dialog carries the download dialog's caption; each data type
    // names the extension it writes.
    UploadDialog enUp(state, jobs, {});
    EXPECT_EQ(enUp.windowTitle(), "File Down...");
    EXPECT_EQ(en.dataTypeBox()->itemText(1), "IDEX(*.idex)");
    EXPECT_EQ(en.cancelButton()->text(), "CANCEL");
    NewNameDialog enName(state);
    EXPECT_EQ(enName.windowTitle(), "New File");

    const Translations::Scope chinese(QStringLiteral("zh_CN"));
    DownloadDialog zh(state, {});
    UploadDialog zhUp(state, jobs, {});
    NewNameDialog zhName(state);
    EXPECT_EQ(zh.windowTitle(), "文件下载...");
    EXPECT_EQ(zhUp.windowTitle(), "文件下载...");
    // The slot labels are the instrument's own, in both languages.
    EXPECT_EQ(zhUp.jobBox()->itemText(16), "JobList 17:<empty>");
    EXPECT_EQ(zh.okButton()->text(), "确定");
    EXPECT_EQ(zhUp.cancelButton()->text(), "取消");
    EXPECT_EQ(zhName.windowTitle(), "新建文件");
    QStringList labels;
    for (QLabel *l : zh.findChildren<QLabel *>())
        labels << l->text();
    for (const char *t : {"从:", "到:", "文件名:", "数据格式:"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(t))) << t;
    QStringList prompt;
    for (QLabel *l : zhName.findChildren<QLabel *>())
        prompt << l->text();
    EXPECT_TRUE(prompt.contains("请输入新的文件名:"));
}

} // namespace
