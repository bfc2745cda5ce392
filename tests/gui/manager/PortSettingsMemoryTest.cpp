// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/state/AppState.h"
#include "gui/common/AppSettings.h"
#include "gui/manager/CommSettingsDialog.h"
#include "gui/manager/NewNameDialog.h"

#include <QComboBox>
#include <QPushButton>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

// The test main points QSettings at a folder of this run; each case starts
// with nothing stored for the port.
class PortSettingsMemory : public testing::Test
{
protected:
    void SetUp() override { QSettings().remove(QStringLiteral("port")); }
    void TearDown() override { QSettings().remove(QStringLiteral("port")); }

    static void store(const QString &key, const QVariant &value)
    {
        QSettings().setValue(QStringLiteral("port/") + key, value);
    }
};

QStringList entries(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace

TEST_F(PortSettingsMemory, nothingStoredLeavesTheSettingsAsTheyAre)
{
    CommSettings cs;
    cs.BaudRate = 9600;
    cs.CommandEnd = EndMark::Cr;
    cs.JobNameEncoding = NameEncoding::Big5;
    AppSettings::loadComm(cs);
    EXPECT_EQ(cs.BaudRate, 9600);
    EXPECT_EQ(cs.CommandEnd, EndMark::Cr);
    EXPECT_EQ(cs.replyTerminator(), '\r');
    EXPECT_EQ(cs.JobNameEncoding, NameEncoding::Big5);
}

TEST_F(PortSettingsMemory, okRemembersSpeedEndMarkAndEncodingForTheNextRun)
{
    AppState state;
    CommSettingsDialog d(state);
    EXPECT_EQ(entries(d.nameEncodingBox()),
              QStringList({"Automatic", "GBK", "Big5", "Windows-1252", "UTF-8"}));
    EXPECT_EQ(d.nameEncodingBox()->currentIndex(), 0);
    d.baudBox()->setCurrentIndex(2);
    d.endMarkBox()->setCurrentIndex(1);
    d.nameEncodingBox()->setCurrentIndex(1);
    d.okButton()->click();
    EXPECT_EQ(state.commSettings.JobNameEncoding, NameEncoding::Gbk);

    CommSettings next; // a new run, after the port discovery
    AppSettings::loadComm(next);
    EXPECT_EQ(next.BaudRate, 4800);
    EXPECT_EQ(next.CommandEnd, EndMark::Cr);
    EXPECT_EQ(next.replyTerminator(), '\r');
    EXPECT_EQ(next.JobNameEncoding, NameEncoding::Gbk);
    // The file says what it means to one who opens it.
    EXPECT_EQ(QSettings().value("port/nameEncoding").toString(), "gbk");
    EXPECT_EQ(QSettings().value("port/baudRate").toInt(), 4800);
    EXPECT_EQ(QSettings().value("port/endMark").toString(), "cr");

    AppState again;
    again.commSettings = next;
    CommSettingsDialog shown(again);
    EXPECT_EQ(shown.baudBox()->currentText(), "4800");
    EXPECT_EQ(shown.nameEncodingBox()->currentText(), "GBK");
}

TEST_F(PortSettingsMemory, cancelRemembersNothingAndDefaultRemembersTheDefaults)
{
    AppState state;
    CommSettingsDialog d(state);
    d.baudBox()->setCurrentIndex(3);
    d.nameEncodingBox()->setCurrentIndex(4);
    d.cancelButton()->click();
    EXPECT_FALSE(QSettings().contains("port/baudIndex"));
    EXPECT_FALSE(QSettings().contains("port/baudRate"));
    EXPECT_EQ(state.commSettings.JobNameEncoding, NameEncoding::Automatic);

    state.commSettings.BaudRate = 1200;
    state.commSettings.JobNameEncoding = NameEncoding::Utf8;
    store("baudIndex", 3);
    store("nameEncoding", "utf-8");
    CommSettingsDialog withDefaults(state);
    EXPECT_EQ(withDefaults.nameEncodingBox()->currentText(), "UTF-8");
    withDefaults.defaultButton()->click();
    withDefaults.cancelButton()->click();
    CommSettings next;
    next.BaudRate = 4800;
    next.JobNameEncoding = NameEncoding::Big5;
    AppSettings::loadComm(next);
    EXPECT_EQ(next.BaudRate, 19200);
    EXPECT_EQ(next.JobNameEncoding, NameEncoding::Automatic);
}

TEST_F(PortSettingsMemory, aHandEditedValueThatIsNoChoiceGivesTheDefault)
{
    const QList<QList<QVariant>> bad = {{7, 2, "klingon"}, {-1, -1, ""}, {"fast", "cr", 3}};
    for (const QList<QVariant> &values : bad) {
        store("baudIndex", values.at(0));
        store("endMarkIndex", values.at(1));
        store("nameEncoding", values.at(2));
        CommSettings cs;
        cs.BaudRate = 4800;
        cs.CommandEnd = EndMark::Cr;
        cs.JobNameEncoding = NameEncoding::Big5;
        AppSettings::loadComm(cs);
        EXPECT_EQ(cs.BaudRate, 19200);
        EXPECT_EQ(cs.CommandEnd, EndMark::CrLf);
        EXPECT_EQ(cs.replyTerminator(), '\n');
        EXPECT_EQ(cs.JobNameEncoding, NameEncoding::Automatic);
    }
    // The same in the keys of this version.
    QSettings().remove(QStringLiteral("port"));
    const QList<QList<QVariant>> badNew = {{57600, "lf"}, {-1, ""}, {"fast", 1}, {2, "CR LF"}};
    for (const QList<QVariant> &values : badNew) {
        store("baudRate", values.at(0));
        store("endMark", values.at(1));
        CommSettings cs;
        cs.BaudRate = 4800;
        cs.CommandEnd = EndMark::Cr;
        AppSettings::loadComm(cs);
        EXPECT_EQ(cs.BaudRate, 19200) << values.at(0).toString().toStdString();
        EXPECT_EQ(cs.CommandEnd, EndMark::CrLf) << values.at(1).toString().toStdString();
    }
    // A speed typed into the box that is no entry lasts this run only.
    AppState state;
    state.commSettings.BaudRate = CommSettings::kKeepLineSpeed;
    AppSettings::saveComm(state.commSettings);
    CommSettings cs;
    cs.BaudRate = 1200;
    AppSettings::loadComm(cs);
    EXPECT_EQ(cs.BaudRate, 19200);
}

TEST_F(PortSettingsMemory, whatAnEarlierVersionStoredIsReadAndRewrittenInTheNewKeys)
{
    // Earlier versions kept the positions in the dialog's lists.
    store("baudIndex", 2);
    store("endMarkIndex", 1);
    CommSettings cs;
    AppSettings::loadComm(cs);
    EXPECT_EQ(cs.BaudRate, 4800);
    EXPECT_EQ(cs.CommandEnd, EndMark::Cr);

    store("baudIndex", 3);
    store("endMarkIndex", 0);
    AppSettings::loadComm(cs);
    EXPECT_EQ(cs.BaudRate, 1200);
    EXPECT_EQ(cs.CommandEnd, EndMark::CrLf);

    // Once saved, the new keys hold the choice and the old ones are gone.
    cs.CommandEnd = EndMark::Cr;
    AppSettings::saveComm(cs);
    EXPECT_FALSE(QSettings().contains("port/baudIndex"));
    EXPECT_FALSE(QSettings().contains("port/endMarkIndex"));
    CommSettings next;
    AppSettings::loadComm(next);
    EXPECT_EQ(next.BaudRate, 1200);
    EXPECT_EQ(next.CommandEnd, EndMark::Cr);

    // Where both are present the new keys win.
    store("baudIndex", 1);
    AppSettings::loadComm(next);
    EXPECT_EQ(next.BaudRate, 1200);
}

TEST_F(PortSettingsMemory, theNewJobNameIsCheckedInTheChosenEncoding)
{
    const QString road = QStringLiteral("道路1");
    EXPECT_TRUE(NewNameDialog::nameError(road, NameEncoding::Gbk).isEmpty());
    EXPECT_TRUE(NewNameDialog::nameError(road, NameEncoding::Big5).isEmpty());
    EXPECT_FALSE(NewNameDialog::nameError(road, NameEncoding::Windows1252).isEmpty());
}
