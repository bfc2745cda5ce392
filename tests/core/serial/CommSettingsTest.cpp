// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/CommSettings.h"

#include <gtest/gtest.h>

TEST(CommSettings, oneBaudTableInTheDialogsOrder)
{
    EXPECT_EQ(CommSettings::baudRateTexts(), QStringList({"19200", "9600", "4800", "1200"}));
    EXPECT_EQ(CommSettings::baudIndex(4800), 2);
    EXPECT_EQ(CommSettings::baudIndex(57600), -1);
    EXPECT_FALSE(CommSettings::isListedBaudRate(CommSettings::kKeepLineSpeed));
    EXPECT_EQ(CommSettings::baudRateFromText(QStringLiteral("1200")), 1200);
    // Only a rate written exactly as the table writes it.
    for (const char *text : {"", "2400", " 9600", "9600.0", "0x12C0"})
        EXPECT_EQ(CommSettings::baudRateFromText(QString::fromLatin1(text)),
                  CommSettings::kKeepLineSpeed)
            << text;
}

TEST(CommSettings, theReplyTerminatorFollowsTheEndMark)
{
    CommSettings s;
    EXPECT_EQ(s.BaudRate, 19200);
    EXPECT_EQ(s.replyTerminator(), '\n');
    s.CommandEnd = EndMark::Cr;
    EXPECT_EQ(s.replyTerminator(), '\r');
    EXPECT_EQ(CommSettings::endMarkFromKey(CommSettings::endMarkKey(EndMark::Cr)), EndMark::Cr);
    EXPECT_EQ(CommSettings::endMarkFromKey(QStringLiteral("crlf")), EndMark::CrLf);
    EXPECT_FALSE(CommSettings::endMarkFromKey(QStringLiteral("lf")));
}
