// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/CommSettingsDialog.h"
#include "core/state/AppState.h"
#include "gui/common/Translations.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList entries(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

TEST(CommSettingsDialog, firstRunShowsTheFixedListsAndNormalisesThePort)
{
    AppState state; // all zero: no adapter was found
    CommSettingsDialog d(state);
    EXPECT_EQ(entries(d.portBox()), QStringList({"COM1"}));
    EXPECT_EQ(state.commSettings.PortNumber, 1);
    EXPECT_EQ(d.instrumentBox()->currentText(), "RQT-318");
    EXPECT_EQ(entries(d.baudBox()), QStringList({"19200", "9600", "4800", "1200"}));
    EXPECT_EQ(d.baudBox()->currentText(), "19200");
    EXPECT_EQ(d.parityBox()->currentText(), "无"); // the instrument's label, in both languages
    EXPECT_EQ(d.stopBitsBox()->currentText(), "1");
    EXPECT_EQ(d.dataBitsBox()->currentText(), "8");
    EXPECT_EQ(entries(d.endMarkBox()), QStringList({"CRLF", "CR"}));
    EXPECT_EQ(d.endMarkBox()->currentText(), "CRLF");
}

TEST(CommSettingsDialog, portListShowsTheDiscoveredPortButOkNeverChangesIt)
{
    AppState state;
    state.commSettings.PortNumber = 5;
    CommSettingsDialog d(state);
    EXPECT_EQ(entries(d.portBox()), QStringList({"COM1", "COM5"}));
    EXPECT_EQ(d.portBox()->currentText(), "COM5");
    d.portBox()->setCurrentIndex(0);
    d.okButton()->click();
    EXPECT_EQ(state.commSettings.PortNumber, 5);
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST(CommSettingsDialog, portsAboveSixteenAndSpeedsNotInTheTableBecomeTheirDefaults)
{
    AppState state;
    state.commSettings.PortNumber = 17;
    state.commSettings.BaudRate = 57600;
    state.commSettings.CommandEnd = EndMark(-3);
    CommSettingsDialog d(state);
    EXPECT_EQ(state.commSettings.PortNumber, 1);
    EXPECT_EQ(state.commSettings.BaudRate, 19200);
    EXPECT_EQ(state.commSettings.CommandEnd, EndMark::CrLf);
    EXPECT_EQ(entries(d.portBox()), QStringList({"COM1"}));

    state.commSettings.PortNumber = 12;
    state.commSettings.BaudRate = CommSettings::kKeepLineSpeed;
    CommSettingsDialog d12(state);
    EXPECT_EQ(d12.portBox()->currentText(), "COM12");
    EXPECT_EQ(state.commSettings.BaudRate, 19200);
}

TEST(CommSettingsDialog, okStoresSpeedEndMarkAndTheMatchingTerminator)
{
    AppState state;
    CommSettingsDialog d(state);
    d.baudBox()->setCurrentIndex(2);
    d.endMarkBox()->setCurrentIndex(1);
    d.okButton()->click();
    EXPECT_EQ(state.commSettings.BaudRate, 4800);
    EXPECT_EQ(state.commSettings.CommandEnd, EndMark::Cr);
    EXPECT_EQ(state.commSettings.replyTerminator(), '\r');

    CommSettingsDialog again(state);
    EXPECT_EQ(again.baudBox()->currentText(), "4800");
    EXPECT_EQ(again.endMarkBox()->currentText(), "CR");
    again.endMarkBox()->setCurrentIndex(0);
    again.okButton()->click();
    EXPECT_EQ(state.commSettings.replyTerminator(), '\n');
}

TEST(CommSettingsDialog, typedTextThatIsNoEntryStoresNoSpeed)
{
    AppState state;
    CommSettingsDialog d(state);
    d.baudBox()->lineEdit()->setText("57600");
    d.okButton()->click();
    EXPECT_EQ(state.commSettings.BaudRate, CommSettings::kKeepLineSpeed);

    CommSettingsDialog typedEntry(state);
    typedEntry.baudBox()->lineEdit()->setText("9600");
    typedEntry.okButton()->click();
    EXPECT_EQ(state.commSettings.BaudRate, 9600);
}

TEST(CommSettingsDialog, defaultStoresAtOnceAndSurvivesCancel)
{
    AppState state;
    state.commSettings.BaudRate = 1200;
    state.commSettings.CommandEnd = EndMark::Cr;
    CommSettingsDialog d(state);
    d.show();
    d.defaultButton()->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.baudBox()->currentText(), "19200");
    EXPECT_EQ(d.endMarkBox()->currentText(), "CRLF");
    d.cancelButton()->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(state.commSettings.BaudRate, 19200);
    EXPECT_EQ(state.commSettings.CommandEnd, EndMark::CrLf);
    // The terminator follows the end mark so a CR LF line still completes replies.
    EXPECT_EQ(state.commSettings.replyTerminator(), '\n');
}

TEST(CommSettingsDialog, cancelStoresNothing)
{
    AppState state;
    state.commSettings.BaudRate = 9600;
    CommSettingsDialog d(state);
    d.baudBox()->setCurrentIndex(3);
    d.endMarkBox()->setCurrentIndex(1);
    d.cancelButton()->click();
    EXPECT_EQ(state.commSettings.BaudRate, 9600);
    EXPECT_EQ(state.commSettings.CommandEnd, EndMark::CrLf);
}

TEST(CommSettingsDialog, enterConfirmsLikeOk)
{
    AppState state;
    CommSettingsDialog d(state);
    d.show();
    d.endMarkBox()->setCurrentIndex(1);
    d.baudBox()->setFocus();
    QTest::keyClick(&d, Qt::Key_Return);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(state.commSettings.CommandEnd, EndMark::Cr);
}

TEST(CommSettingsDialog, textsInBothLanguages)
{
    AppState state;
    CommSettingsDialog en(state);
    EXPECT_EQ(en.windowTitle(), "Communication settings");
    EXPECT_EQ(en.defaultButton()->text(), "Default");
    EXPECT_EQ(en.cancelButton()->text(), "CANCEL");
    const Translations::Scope chinese(QStringLiteral("zh_CN"));
    CommSettingsDialog zh(state);
    EXPECT_EQ(zh.windowTitle(), "通信设置");
    EXPECT_EQ(zh.defaultButton()->text(), "默认");
    EXPECT_EQ(zh.okButton()->text(), "确定");
    EXPECT_EQ(zh.cancelButton()->text(), "取消");
    EXPECT_EQ(zh.parityBox()->currentText(), "无");
}

} // namespace
