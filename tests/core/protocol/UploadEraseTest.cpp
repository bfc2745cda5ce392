// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/core/protocol/EngineHarness.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>

namespace {

QByteArray gsi16(int n)
{
    return "*11" + QByteArray::number(1000 + n) + "+" +
           QByteArray::number(n).rightJustified(16, '0') +
           " 81..00+0000000000123456 82..00+0000000000654321 83..00+0000000000001234 ";
}

// The line Save as GSI-16 writes for the point of gsi16(n).
QByteArray converted(int n)
{
    return "*11....+" + QByteArray::number(n).rightJustified(16, '0') +
           " 81..10+0000000000123456 82..10+0000000000654321 83..10+0000000000001234 ";
}

QByteArray gsi8(int n)
{
    return "11" + QByteArray::number(1000 + n) + "+" +
           QByteArray::number(n).rightJustified(8, '0') +
           " 81..00+00123456 82..00+00654321 83..00+00001234 ";
}

QList<QByteArray> refreshCommands()
{
    QList<QByteArray> commands{"JOB/CONF/LIST"};
    for (int i = 0; i < 17; ++i)
        commands.append("?");
    return commands;
}

class Upload : public testing::TestWithParam<WireParams>
{
protected:
    Upload() : h(GetParam()) {}

    QString writeFile(const QByteArray &content)
    {
        const QString path = dir.filePath(QStringLiteral("points.gsi"));
        testsupport::writeAll(path, content);
        return path;
    }

    // Connected, "a" and "c" answered, upload confirmed and started.
    QString run(const UploadRequest &request)
    {
        if (h.engine.linkMode() == LinkMode::Directory)
            h.connect();
        EXPECT_TRUE(h.engine.prepareUpload());
        h.converse();
        const QString error = h.engine.startUpload(request);
        if (error.isEmpty()) {
            h.engine.tick();
            h.converse();
        }
        return error;
    }

    UploadRequest request(int jobNumber, const QByteArray &content, const QString &name = {})
    {
        UploadRequest r;
        r.jobNumber = jobNumber;
        r.filePath = writeFile(content);
        r.newJobName = name;
        return r;
    }

    QTemporaryDir dir;
    EngineHarness h;
};

} // namespace

TEST_P(Upload, namedJobGetsItsLinesThenSubThenTheDirectoryIsRead)
{
    h.connect();
    h.instrument.directory[4] = "JOB5,x,12,15"; // what the refresh will report
    QSignalSpy tables(&h.engine, &ConversationEngine::jobTableChanged);
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    const int before = h.sentCount();
    ASSERT_EQ(run(request(5, gsi16(1) + "\r\n" + gsi16(2) + "\r\n")), QString());

    QList<QByteArray> expected{"a",      "c",      "FORM/SET/0", "JOB/SND/COORD/5",
                               gsi16(1), gsi16(2), "\x1a"};
    expected += refreshCommands();
    EXPECT_EQ(h.commands(before), expected);
    EXPECT_EQ(gsi16(1).size(), 97);
    // Each line waits for its pause; nothing sleeps.
    EXPECT_EQ(h.pauses, (QList<int>{20, 20}));
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Idle);
    EXPECT_EQ(h.lastProgress, 2);
    EXPECT_FALSE(h.engine.transferActive());
    EXPECT_EQ(h.engine.jobTable().FixPointCounts.at(4), QStringLiteral("12"));
    ASSERT_EQ(tables.size(), 1);
    EXPECT_FALSE(tables.at(0).at(0).toBool());
    ASSERT_EQ(finished.size(), 1);
    EXPECT_TRUE(finished.at(0).at(0).value<TransferResult>().complete());
}

TEST_P(Upload, emptyJobIsNamedFirst)
{
    h.instrument.directory[11] = ",x,0,0";
    h.connect();
    QSignalSpy renamed(&h.engine, &ConversationEngine::jobSlotRenamed);
    const int before = h.sentCount();
    ASSERT_EQ(run(request(12, gsi16(1) + "\r\n", QStringLiteral("NEW"))), QString());
    QList<QByteArray> expected{"a",      "c",   "JOB/SET/NEW/12", "FORM/SET/0", "JOB/SND/COORD/12",
                               gsi16(1), "\x1a"};
    expected += refreshCommands();
    EXPECT_EQ(h.commands(before), expected);
    EXPECT_EQ(h.engine.jobTable().JobSlotNames.at(11), QStringLiteral("NEW"));
    ASSERT_EQ(renamed.size(), 1);
    EXPECT_EQ(renamed.at(0).at(0).toInt(), 12);
}

// A replacing upload erases the job's coordinates once "a" and "c" are
// answered and before FORM/SET/0; into a new job, after it is named. The
// next upload into a named job appends again.
TEST_P(Upload, aReplacingUploadErasesTheJobBeforeItsFirstLine)
{
    h.instrument.directory[11] = ",x,0,0";
    h.connect();
    int before = h.sentCount();
    UploadRequest r = request(5, gsi16(1) + "\r\n");
    r.replaceExisting = true;
    ASSERT_EQ(run(r), QString());
    QList<QByteArray> expected{
        "a", "c", "JOB/ERASE/COORDS/5", "FORM/SET/0", "JOB/SND/COORD/5", gsi16(1), "\x1a"};
    EXPECT_EQ(h.commands(before), expected + refreshCommands());

    before = h.sentCount();
    r = request(12, gsi16(1) + "\r\n", QStringLiteral("NEW"));
    r.replaceExisting = true;
    ASSERT_EQ(run(r), QString());
    expected = {
        "a",      "c",   "JOB/SET/NEW/12", "JOB/ERASE/COORDS/12", "FORM/SET/0", "JOB/SND/COORD/12",
        gsi16(1), "\x1a"};
    EXPECT_EQ(h.commands(before), expected + refreshCommands());

    before = h.sentCount();
    ASSERT_EQ(run(request(5, gsi16(2) + "\r\n")), QString());
    expected = {"a", "c", "FORM/SET/0", "JOB/SND/COORD/5", gsi16(2), "\x1a"};
    EXPECT_EQ(h.commands(before), expected + refreshCommands());
}

TEST_P(Upload, gsi8LinesGoOutAsSixtyFourCharacters)
{
    const int before = [&] {
        h.connect();
        return h.sentCount();
    }();
    ASSERT_EQ(run(request(1, gsi8(1) + "\r\n" + gsi8(2))), QString()); // no LF after the last
    const QList<QByteArray> sent = h.commands(before);
    ASSERT_GE(sent.size(), 7);
    EXPECT_EQ(sent.at(4), gsi8(1));
    EXPECT_EQ(sent.at(4).size(), 64);
    EXPECT_EQ(sent.at(5), gsi8(2));
    EXPECT_EQ(sent.at(6), QByteArray("\x1a"));
}

TEST_P(Upload, shortLineIsFilledWithBlanksAndTheFileLineEndIsNotSent)
{
    h.connect();
    const int before = h.sentCount();
    const QByteArray shortLine = gsi16(1).left(90);
    ASSERT_EQ(run(request(1, shortLine + "\r\n")), QString());
    const QByteArray sent = h.commands(before).at(4);
    EXPECT_EQ(sent, shortLine + QByteArray(7, ' '));
}

TEST_P(Upload, aFileBreakingTheLineRulesIsSentAsGsi16LinesOfItsPoints)
{
    h.instrument.directory[11] = ",x,0,0";
    h.connect();
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    const int before = h.sentCount();
    // A blank line between points used to end the upload there.
    ASSERT_EQ(run(request(1, gsi16(1) + "\r\n\r\n" + gsi16(3) + "\r\n")), QString());
    const QList<QByteArray> sent = h.commands(before);
    EXPECT_EQ(sent.mid(4, 3), (QList<QByteArray>{converted(1), converted(3), "\x1a"}));
    EXPECT_EQ(sent.mid(7), refreshCommands());
    ASSERT_EQ(finished.size(), 1);
    const auto summary = finished.at(0).at(0).value<TransferResult>();
    EXPECT_TRUE(summary.complete());
    EXPECT_EQ(summary.linesTransferred, 2);
}

TEST_P(Upload, anOverlongLineIsNoPointAndTrailingBlankLinesAreNoFault)
{
    h.connect();
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    // The overlong line is no point line: the points of the others are sent.
    const int before = h.sentCount();
    ASSERT_EQ(run(request(1, gsi16(1) + "\r\n" + gsi16(2) + "xx\r\n")), QString());
    ASSERT_EQ(finished.size(), 1);
    EXPECT_TRUE(finished.at(0).at(0).value<TransferResult>().complete());
    EXPECT_EQ(h.commands(before).mid(4, 2), (QList<QByteArray>{converted(1), "\x1a"}));

    ASSERT_EQ(run(request(1, gsi16(1) + "\r\n\r\n  \r\n")), QString());
    ASSERT_EQ(finished.size(), 2);
    EXPECT_TRUE(finished.at(1).at(0).value<TransferResult>().complete());
}

TEST_P(Upload, uploadWithoutAChosenSlotOrWithABadNewNameIsRefused)
{
    h.instrument.directory[11] = ",x,0,0";
    h.connect();
    const int before = h.sentCount();
    EXPECT_FALSE(run(request(0, gsi16(1))).isEmpty());
    for (const QString &name : {QString(), QStringLiteral("  "), QStringLiteral("A/B"),
                                QStringLiteral("A,B"), QStringLiteral("A\tB")}) {
        EXPECT_FALSE(h.engine.startUpload(request(12, gsi16(1), name)).isEmpty())
            << name.toStdString();
        h.engine.tick();
    }
    EXPECT_EQ(h.commands(before), (QList<QByteArray>{"a", "c"}));
    EXPECT_EQ(h.engine.jobTable().JobSlotNames.at(11), QStringLiteral("<empty>"));
    EXPECT_FALSE(h.engine.transferActive());
}

TEST_P(Upload, uploadIsOnlyPreparedWhileIdle)
{
    EXPECT_FALSE(h.engine.prepareUpload());
    EXPECT_TRUE(h.link.sent.isEmpty());
}

TEST_P(Upload, eraseSendsItsCommandsThenRefreshesWithoutATimer)
{
    h.connect();
    h.instrument.directory[4] = "JOB5,x,0,15";
    const int before = h.sentCount();
    QSignalSpy timer(&h.engine, &ConversationEngine::ticksWanted);
    ASSERT_EQ(h.engine.erase(5), QString());
    h.converse();
    QList<QByteArray> expected{"a", "c", "JOB/ERASE/COORDS/5"};
    expected += refreshCommands();
    EXPECT_EQ(h.commands(before), expected);
    EXPECT_EQ(timer.size(), 0);
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Idle);
    EXPECT_EQ(h.engine.jobTable().FixPointCounts.at(4), QStringLiteral("0"));
}

TEST_P(Upload, eraseIsRefusedBeforeConnectingAndWithoutAJob)
{
    EXPECT_FALSE(h.engine.erase(5).isEmpty());
    h.connect();
    const int before = h.sentCount();
    EXPECT_FALSE(h.engine.erase(0).isEmpty());
    EXPECT_EQ(h.sentCount(), before);
}

INSTANTIATE_TEST_SUITE_P(Wire, Upload, kAllWires, wireName);
