// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/CommandEncoding.h"
#include "core/protocol/JobTable.h"
#include "core/protocol/ReplyAssembler.h"

#include <gtest/gtest.h>

TEST(ReplyAssembly, replySplitAcrossThreeEventsIsHandledOnce)
{
    ReplyAssembler assembler;
    EXPECT_FALSE(assembler.feed("ROAD", '\n'));
    EXPECT_FALSE(assembler.feed("1,x,2", '\n'));
    const auto reply = assembler.feed("5,130\r\n", '\n');
    ASSERT_TRUE(reply);
    EXPECT_EQ(*reply, QByteArray("ROAD1,x,25,130\r\n"));
    EXPECT_EQ(assembler.length(), 0);
}

TEST(ReplyAssembly, terminatorInsideAnEventDoesNotEndTheReply)
{
    ReplyAssembler assembler;
    const auto reply = assembler.feed("OK\r\nOK\r\n", '\n');
    ASSERT_TRUE(reply);
    EXPECT_EQ(*reply, QByteArray("OK\r\nOK\r\n"));
    EXPECT_FALSE(assembler.feed("OK\r", '\n'));
}

TEST(ReplyAssembly, emptyEventChangesNothing)
{
    ReplyAssembler assembler;
    assembler.feed("AB", '\r');
    EXPECT_FALSE(assembler.feed("", '\r'));
    EXPECT_EQ(assembler.length(), 2);
}

TEST(ReplyAssembly, overlongReplyKeepsItsFirstBytesAndStillCompletes)
{
    ReplyAssembler assembler;
    for (int i = 0; i < 100; ++i)
        EXPECT_FALSE(assembler.feed(QByteArray(100, 'x'), '\n'));
    EXPECT_EQ(assembler.length(), 512);
    const auto reply = assembler.feed("tail\n", '\n');
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->size(), 512);
    EXPECT_EQ(reply->back(), '\n');
    EXPECT_EQ(reply->left(511), QByteArray(511, 'x'));
    EXPECT_FALSE(assembler.feed("next", '\n'));
    EXPECT_EQ(assembler.length(), 4);
}

TEST(CommandEncoding, endMarkFollowsEveryCommand)
{
    EXPECT_EQ(CommandEncoding::encode("JOB/CONF/LIST", EndMark::CrLf),
              QByteArray("JOB/CONF/LIST\r\n"));
    EXPECT_EQ(CommandEncoding::encode("JOB/CONF/LIST", EndMark::CrLf).size(), 15);
    EXPECT_EQ(CommandEncoding::encode("JOB/CONF/LIST", EndMark::Cr), QByteArray("JOB/CONF/LIST\r"));
    EXPECT_EQ(CommandEncoding::encode("JOB/CONF/LIST", EndMark::Cr).size(), 14);
}

TEST(CommandEncoding, jobNumbersAreDecimal)
{
    EXPECT_EQ(CommandEncoding::jobNumber(1), QByteArray("1"));
    EXPECT_EQ(CommandEncoding::jobNumber(9), QByteArray("9"));
    EXPECT_EQ(CommandEncoding::jobNumber(10), QByteArray("10"));
    EXPECT_EQ(CommandEncoding::jobNumber(17), QByteArray("17"));
}

TEST(DirectoryLine, leadingCommaMeansAJobWithoutName)
{
    const DirectoryLine line = DirectoryLine::parse(",x,0,0\r\n");
    EXPECT_EQ(line.name, QStringLiteral("<empty>"));
    EXPECT_EQ(line.fixPointCount, QStringLiteral("0"));
    EXPECT_EQ(line.measurementCount, QStringLiteral("0\r\n"));
}

TEST(DirectoryLine, runOfCommasCountsAsOneSeparator)
{
    const DirectoryLine line = DirectoryLine::parse("JOB5,,12,7\r\n");
    EXPECT_EQ(line.name, QStringLiteral("JOB5"));
    EXPECT_EQ(line.second, QStringLiteral("12"));
    EXPECT_EQ(line.fixPointCount, QStringLiteral("7\r\n"));
    EXPECT_EQ(line.measurementCount, QString());
}

TEST(DirectoryLine, fieldsBeyondTheFourthAndMissingFieldsAreHandled)
{
    const DirectoryLine full = DirectoryLine::parse("ROAD1,x,25,130,extra\r");
    EXPECT_EQ(full.name, QStringLiteral("ROAD1"));
    EXPECT_EQ(full.fixPointCount, QStringLiteral("25"));
    EXPECT_EQ(full.measurementCount, QStringLiteral("130"));
    const DirectoryLine shortLine = DirectoryLine::parse("A\r");
    EXPECT_EQ(shortLine.name, QStringLiteral("A\r"));
    EXPECT_TRUE(shortLine.fixPointCount.isEmpty());
    EXPECT_TRUE(DirectoryLine::parse("").name.isEmpty());
}

TEST(JobTable, countTextsAreReadAsTheIntegerTheyBeginWith)
{
    EXPECT_EQ(JobTable::leadingCount(QStringLiteral("25\r\n")), 25);
    EXPECT_EQ(JobTable::leadingCount(QStringLiteral("  7")), 7);
    EXPECT_EQ(JobTable::leadingCount(QStringLiteral("+3x")), 3);
    EXPECT_EQ(JobTable::leadingCount(QStringLiteral("-3")), 0);
    EXPECT_EQ(JobTable::leadingCount(QStringLiteral("abc")), 0);
    EXPECT_EQ(JobTable::leadingCount(QString()), 0);
    EXPECT_EQ(JobTable::withoutLineEnd(QStringLiteral("130\r\n")), QStringLiteral("130"));
    EXPECT_EQ(JobTable::slotLabel(16), QStringLiteral("JobList 17:"));
}
