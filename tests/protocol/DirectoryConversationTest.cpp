#include "EngineHarness.h"

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
    ASSERT_EQ(h.engine.startConnection(), ConversationEngine::ConnectResult::Started);
    EXPECT_EQ(h.state.transfer.TransferKind, 1);
    EXPECT_TRUE(h.engine.wantsTicks());
    h.converse();

    ASSERT_EQ(kOpeningCommands.size(), 33);
    EXPECT_EQ(h.commands(), kOpeningCommands);
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Idle);
    EXPECT_EQ(h.engine.linkStep(), 32);
    EXPECT_EQ(h.state.transfer.ConnectProgress, 32);
    EXPECT_EQ(h.state.transfer.TransferKind, 0);
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
    EXPECT_EQ(h.engine.startConnection(), ConversationEngine::ConnectResult::AlreadyConnected);
    EXPECT_EQ(h.sentCount(), sent);
    EXPECT_EQ(h.link.opens, 1);
}

TEST_P(DirectoryConversation, ticksWhileWaitingForTheFirstAnswerDoNothing)
{
    EngineHarness h(GetParam());
    h.engine.startConnection();
    for (int i = 0; i < 5; ++i)
        h.engine.tick();
    EXPECT_EQ(h.commands(), QList<QByteArray>{"a"});
    EXPECT_TRUE(h.engine.wantsTicks());
}

TEST_P(DirectoryConversation, reconnectAfterCancelStartsFromTheFirstStep)
{
    EngineHarness h(GetParam());
    QSignalSpy closed(&h.engine, &ConversationEngine::portClosed);
    h.engine.startConnection();
    h.reply("OK");
    h.reply("OK");
    h.reply("partial"); // a reply cut short by the cancel
    h.engine.feed("half a rep");
    h.engine.requestClose();
    h.engine.tick();
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(h.link.closes, 1);
    EXPECT_EQ(h.state.transfer.TransferKind, 0);
    EXPECT_FALSE(h.engine.wantsTicks());

    const int before = h.sentCount();
    ASSERT_EQ(h.engine.startConnection(), ConversationEngine::ConnectResult::Started);
    h.reply("OK");
    EXPECT_EQ(h.commands(before), (QList<QByteArray>{"a", "c"}));
}

TEST_P(DirectoryConversation, cancelMadeJustBeforeTheFirstAnswerStillClosesThePort)
{
    EngineHarness h(GetParam());
    h.engine.startConnection();
    h.engine.requestClose();
    h.reply("OK");
    h.engine.tick();
    EXPECT_EQ(h.link.closes, 1);
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Directory);
}

TEST_P(DirectoryConversation, portThatWillNotOpenSendsNothing)
{
    EngineHarness h(GetParam());
    h.link.openSucceeds = false;
    EXPECT_EQ(h.engine.startConnection(), ConversationEngine::ConnectResult::OpenFailed);
    EXPECT_EQ(h.engine.lastError(), QStringLiteral("no such port"));
    EXPECT_TRUE(h.link.sent.isEmpty());
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Directory);
}

INSTANTIATE_TEST_SUITE_P(Wire, DirectoryConversation, kAllWires, wireName);
