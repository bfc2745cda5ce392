// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/core/protocol/EngineHarness.h"

#include <QSignalSpy>

namespace {

class DirectoryConversation : public testing::TestWithParam<WireParams>
{
};

const QList<QByteArray> kOpeningCommands = {"a",
                                            "c",
                                            "CONF/182",
                                            "CONF/136",
                                            "CONF/137",
                                            "GET//WI13",
                                            "CODE/CONF/LIST",
                                            "?",
                                            "JOB/CONF/LIST",
                                            "?",
                                            "?",
                                            "?",
                                            "?",
                                            "?",
                                            "?",
                                            "?",
                                            "?",
                                            "?",
                                            "?",
                                            "?",
                                            "?",
                                            "?",
                                            "?",
                                            "?",
                                            "?",
                                            "?",
                                            "FORM/CONF/LIST",
                                            "?",
                                            "?",
                                            "HAL/CONF/LIST",
                                            "?",
                                            "VAL/CONF/LIST",
                                            "?"};

} // namespace

TEST_P(DirectoryConversation, openingConversationSendsTheStepTableAfterA)
{
    EngineHarness h(GetParam());
    QSignalSpy tables(&h.engine, &ConversationEngine::jobTableChanged);
    QSignalSpy answered(&h.engine, &ConversationEngine::instrumentAnswered);
    ASSERT_EQ(h.engine.connectToInstrument(), ConversationEngine::ConnectResult::Started);
    EXPECT_TRUE(h.engine.isConnected());
    EXPECT_EQ(answered.size(), 0);
    h.converse();
    EXPECT_EQ(answered.size(), 1);

    ASSERT_EQ(kOpeningCommands.size(), 33);
    EXPECT_EQ(h.commands(), kOpeningCommands);
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Idle);
    EXPECT_TRUE(h.engine.isIdle());
    EXPECT_FALSE(h.engine.wantsTicks());
    ASSERT_EQ(tables.size(), 1);
    EXPECT_TRUE(tables.at(0).at(0).toBool());

    const JobTable &jobs = h.engine.jobTable();
    EXPECT_EQ(jobs.JobNames.at(0), QStringLiteral("JOB1"));
    EXPECT_EQ(jobs.JobNames.at(3), QStringLiteral("<empty>"));
    EXPECT_EQ(jobs.JobNames.at(16), QStringLiteral("JOB17"));
    EXPECT_EQ(jobs.FixPointCounts.at(2), QStringLiteral("6"));
    EXPECT_EQ(jobs.MeasurementCounts.at(2), QStringLiteral("9") + QString::fromLatin1(h.lineEnd()));
    EXPECT_EQ(jobs.JobSlotLabels.at(0), QStringLiteral("JobList 1:"));
    EXPECT_EQ(jobs.JobSlotLabels.at(16), QStringLiteral("JobList 17:"));
    EXPECT_EQ(jobs.JobSlotNames, jobs.JobNames);
}

TEST_P(DirectoryConversation, replyToTheLastQuestionIsIgnoredAndASecondConnectDoesNothing)
{
    EngineHarness h(GetParam());
    h.connect();
    const int sent = h.sentCount();
    h.reply("late");
    EXPECT_EQ(h.sentCount(), sent);
    EXPECT_EQ(h.engine.connectToInstrument(), ConversationEngine::ConnectResult::AlreadyConnected);
    EXPECT_EQ(h.sentCount(), sent);
    EXPECT_EQ(h.link.opens, 1);
}

TEST_P(DirectoryConversation, ticksWhileWaitingForTheFirstAnswerDoNothing)
{
    EngineHarness h(GetParam());
    h.engine.connectToInstrument();
    for (int i = 0; i < 5; ++i)
        h.engine.tick();
    EXPECT_EQ(h.commands(), QList<QByteArray>{"a"});
}

TEST_P(DirectoryConversation, reconnectAfterCancelStartsFromTheFirstStep)
{
    EngineHarness h(GetParam());
    QSignalSpy closed(&h.engine, &ConversationEngine::connectionClosed);
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    h.engine.connectToInstrument();
    h.reply("OK");
    h.reply("OK");
    h.reply("partial"); // a reply cut short by the cancel
    h.engine.feed("half a rep");
    h.engine.cancel();
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(finished.size(), 0); // no transfer was running
    EXPECT_EQ(h.link.closes, 1);
    EXPECT_FALSE(h.engine.isConnected());
    EXPECT_FALSE(h.engine.wantsTicks());

    const int before = h.sentCount();
    ASSERT_EQ(h.engine.connectToInstrument(), ConversationEngine::ConnectResult::Started);
    h.reply("OK");
    EXPECT_EQ(h.commands(before), (QList<QByteArray>{"a", "c"}));
}

TEST_P(DirectoryConversation, cancelMadeJustBeforeTheFirstAnswerStillClosesThePort)
{
    EngineHarness h(GetParam());
    h.engine.connectToInstrument();
    h.engine.cancel();
    h.reply("OK"); // on its way when the port closed
    h.engine.tick();
    EXPECT_EQ(h.link.closes, 1);
    EXPECT_EQ(h.commands(), QList<QByteArray>{"a"});
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Directory);
}

TEST_P(DirectoryConversation, portThatWillNotOpenSendsNothing)
{
    EngineHarness h(GetParam());
    h.link.openSucceeds = false;
    EXPECT_EQ(h.engine.connectToInstrument(), ConversationEngine::ConnectResult::OpenFailed);
    EXPECT_EQ(h.engine.lastError(), QStringLiteral("no such port"));
    EXPECT_TRUE(h.link.sent.isEmpty());
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Directory);
}

INSTANTIATE_TEST_SUITE_P(Wire, DirectoryConversation, kAllWires, wireName);
