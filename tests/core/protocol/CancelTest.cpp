// SPDX-License-Identifier: GPL-3.0-or-later
// cancel() at every step of every conversation: the port closes, nothing more
// is sent, no file is left behind, and the next connection and transfer work.

#include "tests/core/protocol/EngineHarness.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QSignalSpy>

namespace {

class Cancel : public testing::TestWithParam<WireParams>
{
protected:
    Cancel() : h(GetParam())
    {
        QList<QByteArray> lines;
        for (int i = 1; i <= 4; ++i)
            lines.append(gsi16Line(i));
        h.instrument.coordinates[3] = lines;
        h.instrument.directory[2] = "ROAD1,x,4,130";
    }

    DownloadRequest request(const QString &name = QStringLiteral("ROAD1")) const
    {
        DownloadRequest r;
        r.jobNumber = 3;
        r.folder = dir.path();
        r.fileName = name;
        return r;
    }

    UploadRequest upload()
    {
        UploadRequest r;
        r.jobNumber = 5;
        r.filePath = files.filePath(QStringLiteral("points.gsi"));
        testsupport::writeAll(r.filePath, gsi16Line(1) + "\r\n" + gsi16Line(2) + "\r\n" +
                                              gsi16Line(3) + "\r\n");
        return r;
    }

    // Prepared, "a" and "c" answered, started: the first tick sends FORM/SET/0.
    void startDownload(const QString &name = QStringLiteral("ROAD1"))
    {
        ASSERT_TRUE(h.engine.prepareDownload());
        h.converse();
        ASSERT_EQ(h.engine.startDownload(request(name)), QString());
    }

    QStringList filesLeft() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    // The engine is closed and quiet: nothing more goes out, even when late
    // replies, ticks and the end of a pause come in.
    void expectClosedAndQuiet(int closesBefore)
    {
        EXPECT_EQ(h.link.closes, closesBefore + 1);
        EXPECT_FALSE(h.engine.isConnected());
        EXPECT_FALSE(h.engine.transferActive());
        EXPECT_FALSE(h.engine.wantsTicks());
        const int sent = h.sentCount();
        h.reply("OK");
        h.engine.tick();
        h.engine.tick();
        h.engine.tick();
        h.engine.resume();
        EXPECT_EQ(h.sentCount(), sent);
    }

    // A new connection reads the directory and a download runs to its end.
    void expectADownloadWorksAgain()
    {
        h.skipAnswered();
        ASSERT_EQ(h.engine.connectToInstrument(), ConversationEngine::ConnectResult::Started);
        h.converse();
        ASSERT_TRUE(h.engine.isIdle());
        startDownload(QStringLiteral("AGAIN"));
        h.engine.tick();
        h.converse();
        QByteArray expected;
        for (int i = 1; i <= 4; ++i)
            expected += gsi16Line(i) + "\r\n";
        EXPECT_EQ(testsupport::readAll(dir.filePath("AGAIN.gsi")), expected);
    }

    TransferResult onlyResult(const QSignalSpy &finished) const
    {
        EXPECT_EQ(finished.size(), 1);
        return finished.isEmpty() ? TransferResult() : finished.at(0).at(0).value<TransferResult>();
    }

    QTemporaryDir dir;
    QTemporaryDir files;
    EngineHarness h;
};

} // namespace

TEST_P(Cancel, beforeTheFirstAnswer)
{
    QSignalSpy closed(&h.engine, &ConversationEngine::connectionClosed);
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    h.engine.connectToInstrument();
    h.engine.cancel();
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(finished.size(), 0);
    expectClosedAndQuiet(0);
    EXPECT_EQ(h.commands(), QList<QByteArray>{"a"});
    expectADownloadWorksAgain();
}

TEST_P(Cancel, midDirectory)
{
    QSignalSpy tables(&h.engine, &ConversationEngine::jobTableChanged);
    h.engine.connectToInstrument();
    for (int i = 0; i < 12; ++i) // into the job lines
        h.reply("OK");
    h.engine.cancel();
    expectClosedAndQuiet(0);
    EXPECT_EQ(tables.size(), 0);
    EXPECT_FALSE(h.engine.hasDirectory());
    expectADownloadWorksAgain();
}

TEST_P(Cancel, afterTheDirectoryWasRead)
{
    h.connect();
    h.engine.cancel();
    expectClosedAndQuiet(0);
    EXPECT_FALSE(h.engine.prepareDownload());
    expectADownloadWorksAgain();
}

TEST_P(Cancel, downloadStartedButNotYetSent)
{
    h.connect();
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    startDownload();
    h.engine.cancel();
    const TransferResult result = onlyResult(finished);
    EXPECT_EQ(result.outcome, TransferResult::Outcome::Cancelled);
    EXPECT_EQ(result.linesTransferred, 0);
    EXPECT_FALSE(result.fileKept);
    expectClosedAndQuiet(0);
    EXPECT_TRUE(filesLeft().isEmpty()) << filesLeft().join(' ').toStdString();
    expectADownloadWorksAgain();
}

TEST_P(Cancel, midDownloadDiscardsThePartialFile)
{
    h.connect();
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    QSignalSpy added(&h.engine, &ConversationEngine::fileAdded);
    startDownload();
    h.engine.tick();
    h.reply("OK");         // FORM/SET/0
    h.reply("OK");         // the request
    h.reply(gsi16Line(1)); // two of four lines
    h.reply(gsi16Line(2));
    h.engine.cancel();
    const TransferResult result = onlyResult(finished);
    EXPECT_EQ(result.kind, TransferResult::Kind::Download);
    EXPECT_EQ(result.outcome, TransferResult::Outcome::Cancelled);
    EXPECT_EQ(result.linesTransferred, 2);
    EXPECT_FALSE(result.fileKept);
    EXPECT_TRUE(result.report().contains("nothing was saved")) << result.report().toStdString();
    EXPECT_EQ(added.size(), 0);
    expectClosedAndQuiet(0);
    EXPECT_TRUE(filesLeft().isEmpty()) << filesLeft().join(' ').toStdString();
    expectADownloadWorksAgain();
}

TEST_P(Cancel, midDownloadLeavesTheFileItWouldHaveReplaced)
{
    h.connect();
    const QString path = dir.filePath("ROAD1.gsi");
    testsupport::writeAll(path, "keep me\r\n");
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    ASSERT_TRUE(h.engine.prepareDownload());
    h.converse();
    DownloadRequest r = request();
    r.overwrite = true;
    ASSERT_EQ(h.engine.startDownload(r), QString());
    h.engine.tick();
    h.reply("OK");
    h.reply("OK");
    h.reply(gsi16Line(1));
    h.engine.cancel();
    const TransferResult result = onlyResult(finished);
    EXPECT_TRUE(result.existingFileKept);
    EXPECT_EQ(testsupport::readAll(path), QByteArray("keep me\r\n"));
    EXPECT_EQ(filesLeft(), QStringList{"ROAD1.gsi"});
}

TEST_P(Cancel, midUploadSendsNothingMoreAndSaysWhatWasSent)
{
    h.connect();
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    ASSERT_TRUE(h.engine.prepareUpload());
    h.converse();
    ASSERT_EQ(h.engine.startUpload(upload()), QString());
    h.engine.tick();
    h.reply("OK"); // FORM/SET/0
    h.reply("OK"); // JOB/SND/COORD/5: go ahead
    ASSERT_TRUE(h.pauseAsked());
    h.endPause(); // line 1
    h.reply("OK");
    ASSERT_TRUE(h.pauseAsked()); // line 2 waits for its pause
    h.engine.cancel();
    const TransferResult result = onlyResult(finished);
    EXPECT_EQ(result.kind, TransferResult::Kind::Upload);
    EXPECT_EQ(result.outcome, TransferResult::Outcome::Cancelled);
    EXPECT_EQ(result.linesTransferred, 1);
    EXPECT_EQ(result.expectedLines, 3);
    EXPECT_TRUE(result.fileKept);
    EXPECT_TRUE(result.report().contains("1 of 3")) << result.report().toStdString();
    expectClosedAndQuiet(0);
    EXPECT_FALSE(h.commands().contains(QByteArray("\x1a")));
    EXPECT_TRUE(h.commands().contains(gsi16Line(1)));
    EXPECT_FALSE(h.commands().contains(gsi16Line(2)));

    h.skipAnswered();
    ASSERT_EQ(h.engine.connectToInstrument(), ConversationEngine::ConnectResult::Started);
    h.converse();
    ASSERT_TRUE(h.engine.prepareUpload());
    h.converse();
    ASSERT_EQ(h.engine.startUpload(upload()), QString());
    h.engine.tick();
    h.converse();
    EXPECT_EQ(h.instrument.received.size(), 3 + 1); // the new upload's lines and SUB
    EXPECT_EQ(finished.size(), 2);
    EXPECT_TRUE(finished.at(1).at(0).value<TransferResult>().complete());
}

TEST_P(Cancel, midEraseAndMidRefresh)
{
    h.connect();
    ASSERT_EQ(h.engine.erase(5), QString());
    h.reply("OK"); // "a"
    h.engine.cancel();
    expectClosedAndQuiet(0);
    EXPECT_FALSE(h.commands().contains("JOB/ERASE/COORDS/5"));

    h.skipAnswered();
    ASSERT_EQ(h.engine.connectToInstrument(), ConversationEngine::ConnectResult::Started);
    h.converse();
    QSignalSpy tables(&h.engine, &ConversationEngine::jobTableChanged);
    ASSERT_EQ(h.engine.erase(5), QString());
    for (int i = 0; i < 6; ++i) // "a", "c", the erase, into the refresh
        h.reply("OK");
    h.engine.cancel();
    expectClosedAndQuiet(1);
    EXPECT_EQ(tables.size(), 0);
    expectADownloadWorksAgain();
}

TEST_P(Cancel, withNothingOpenDoesNothing)
{
    QSignalSpy closed(&h.engine, &ConversationEngine::connectionClosed);
    h.engine.cancel();
    EXPECT_EQ(closed.size(), 0);
    EXPECT_TRUE(h.link.sent.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Wire, Cancel, kAllWires, wireName);
