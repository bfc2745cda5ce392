// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/CoordFileIo.h"
#include "tests/core/protocol/EngineHarness.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

class Download : public testing::TestWithParam<WireParams>
{
protected:
    Download() : h(GetParam()) {}

    // Connected; job 3 has `lines` coordinate lines and its count says so.
    void setUpJob3(int lines)
    {
        QList<QByteArray> data;
        for (int i = 1; i <= lines; ++i)
            data.append(gsi16Line(i));
        h.instrument.coordinates[3] = data;
        h.instrument.directory[2] = "ROAD1,x," + QByteArray::number(lines) + ",130";
        h.connect();
    }

    DownloadRequest request(DataKind kind = DataKind::FixPoints,
                            DownloadFormat format = DownloadFormat::Gsi) const
    {
        DownloadRequest r;
        r.jobNumber = 3;
        r.dataKind = kind;
        r.format = format;
        r.folder = dir.path();
        r.fileName = QStringLiteral("ROAD1");
        return r;
    }

    // prepare, answer "a" and "c", confirm, tick, and let the transfer run.
    void run(const DownloadRequest &r)
    {
        ASSERT_TRUE(h.engine.prepareDownload());
        h.converse();
        ASSERT_EQ(h.engine.startDownload(r), QString());
        h.engine.tick();
        h.converse();
    }

    QTemporaryDir dir;
    EngineHarness h;
};

} // namespace

TEST_P(Download, twentyFiveLinesAreRequestedAndStoredWithCrLf)
{
    setUpJob3(25);
    QSignalSpy added(&h.engine, &ConversationEngine::fileAdded);
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    const int before = h.sentCount();
    run(request());

    QList<QByteArray> expected = {"a", "c", "FORM/SET/0", "JOB/RCV/COORDS/3"};
    for (int i = 0; i < 26; ++i)
        expected.append("?");
    EXPECT_EQ(h.commands(before), expected);

    QByteArray file;
    for (int i = 1; i <= 25; ++i)
        file += gsi16Line(i) + "\r\n";
    const QString path = dir.filePath(QStringLiteral("ROAD1.gsi"));
    EXPECT_EQ(testsupport::readAll(path), file);
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Idle);
    EXPECT_EQ(h.lastProgress, 25);
    EXPECT_FALSE(h.engine.transferActive());
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added.at(0).at(0).toString(), path);
    EXPECT_FALSE(added.at(0).at(1).toBool());
    ASSERT_EQ(finished.size(), 1);
    const auto summary = finished.at(0).at(0).value<TransferResult>();
    EXPECT_TRUE(summary.complete());
    EXPECT_EQ(summary.linesTransferred, 25);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"ROAD1.gsi"});
}

TEST_P(Download, idexFileHoldsTheSameBytesAsGsi)
{
    setUpJob3(3);
    run(request(DataKind::FixPoints, DownloadFormat::Gsi));
    run(request(DataKind::FixPoints, DownloadFormat::Idex));
    EXPECT_EQ(testsupport::readAll(dir.filePath("ROAD1.idex")),
              testsupport::readAll(dir.filePath("ROAD1.gsi")));
    // ... and is read as the GSI it holds.
    PointList idex, gsi;
    const CoordReadResult read = CoordFileIo::open(dir.filePath("ROAD1.idex"), idex);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ASSERT_TRUE(CoordFileIo::open(dir.filePath("ROAD1.gsi"), gsi).ok());
    ASSERT_GT(idex.pointCount(), 0);
    EXPECT_EQ(idex.pointCount(), gsi.pointCount());
    EXPECT_EQ(idex.point(0).easting, gsi.point(0).easting);
}

TEST_P(Download, cassFileHoldsOneConvertedLinePerGsiLine)
{
    h.instrument.coordinates[3] = {gsi16Line(1), "not a GSI line", gsi16Line(2)};
    h.instrument.directory[2] = "ROAD1,x,3,130";
    h.connect();
    run(request(DataKind::FixPoints, DownloadFormat::Cass));
    EXPECT_EQ(testsupport::readAll(dir.filePath("ROAD1.dat")),
              QByteArray("1,,123.456,654.321,1.234\r\n2,,123.456,654.321,1.234\r\n"));
    EXPECT_EQ(h.lastProgress, 3);
    // rqtcom's own reader of .dat files sees the point where the instrument has it.
    PointList points;
    ASSERT_TRUE(CoordFileIo::open(dir.filePath("ROAD1.dat"), points).ok());
    ASSERT_EQ(points.pointCount(), 2);
    EXPECT_EQ(points.point(0).easting, "123.456");
    EXPECT_EQ(points.point(0).northing, "654.321");

    DownloadRequest old = request(DataKind::FixPoints, DownloadFormat::Cass);
    old.fileName = QStringLiteral("old");
    old.cassNorthingFirst = true;
    run(old);
    EXPECT_EQ(testsupport::readAll(dir.filePath("old.dat")),
              QByteArray("1,,654.321,123.456,1.234\r\n2,,654.321,123.456,1.234\r\n"));
}

TEST_P(Download, countOfZeroCreatesAnEmptyFileAndStillSendsOneQuestion)
{
    setUpJob3(0);
    const int before = h.sentCount();
    run(request());
    EXPECT_EQ(h.commands(before),
              (QList<QByteArray>{"a", "c", "FORM/SET/0", "JOB/RCV/COORDS/3", "?"}));
    QFile file(dir.filePath("ROAD1.gsi"));
    ASSERT_TRUE(file.exists());
    EXPECT_EQ(file.size(), 0);
}

TEST_P(Download, transferWaitsUntilTheOpeningCallsAreAnswered)
{
    setUpJob3(2);
    const int before = h.sentCount();
    ASSERT_TRUE(h.engine.prepareDownload());
    ASSERT_EQ(h.engine.startDownload(request()), QString());
    h.engine.tick(); // the user was quicker than the instrument
    EXPECT_EQ(h.commands(before), QList<QByteArray>{"a"});
    h.reply("OK");
    h.engine.tick();
    EXPECT_EQ(h.commands(before), (QList<QByteArray>{"a", "c"}));
    h.reply("OK");
    h.engine.tick();
    EXPECT_EQ(h.commands(before), (QList<QByteArray>{"a", "c", "FORM/SET/0"}));
    EXPECT_FALSE(h.engine.wantsTicks());
}

TEST_P(Download, countIsTakenFromTheJobTableWhenTheTransferStarts)
{
    setUpJob3(2);
    h.instrument.directory[2] = "ROAD1,x,99,130"; // a later directory would say otherwise
    run(request());
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Idle);
    EXPECT_EQ(h.lastProgress, 2);
}

TEST_P(Download, endOfDataBeforeTheCountEndsTheDownloadAndKeepsNothing)
{
    setUpJob3(5);
    h.instrument.coordinates[3] = {gsi16Line(1), gsi16Line(2), QByteArray("\x1a")};
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    QSignalSpy added(&h.engine, &ConversationEngine::fileAdded);
    const int before = h.sentCount();
    run(request());
    // request, then "?" for line 1, line 2 and the one answered by SUB.
    EXPECT_EQ(h.commands(before).size(), 4 + 3);
    // Two lines of five must not pass for the job.
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(added.size(), 0);
    ASSERT_EQ(finished.size(), 1);
    const auto summary = finished.at(0).at(0).value<TransferResult>();
    EXPECT_EQ(summary.outcome, TransferResult::Outcome::EndedEarly);
    EXPECT_FALSE(summary.fileKept);
    EXPECT_EQ(summary.linesTransferred, 2);
    EXPECT_EQ(summary.expectedLines, 5);
    EXPECT_TRUE(summary.report().contains(QStringLiteral("nothing was saved")))
        << qPrintable(summary.report());
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Idle);
}

TEST_P(Download, observationsRunToTheSubLine)
{
    setUpJob3(0);
    h.instrument.observations[3] = {"110001+0000000A 21.324+12345678 ",
                                    "110002+0000000B 21.324+22345678 "};
    const int before = h.sentCount();
    run(request(DataKind::Observations,
                DownloadFormat::Cass)); // the data type does not apply to observations
    EXPECT_EQ(h.commands(before),
              (QList<QByteArray>{"a", "c", "FORM/SET/0", "JOB/RCV/OBSERV/3", "?", "?", "?"}));
    EXPECT_EQ(testsupport::readAll(dir.filePath("ROAD1.gsi")),
              QByteArray("110001+0000000A 21.324+12345678 \r\n"
                         "110002+0000000B 21.324+22345678 \r\n"));
    EXPECT_EQ(h.lastProgress, 2);
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Idle);
}

TEST_P(Download, observationsWhoseFirstLineIsSubGiveAnEmptyFile)
{
    setUpJob3(0);
    run(request(DataKind::Observations));
    EXPECT_EQ(QFile(dir.filePath("ROAD1.gsi")).size(), 0);
    EXPECT_FALSE(h.engine.transferActive());
}

TEST_P(Download, openingCallWaitsForTheAnswerStillOutstanding)
{
    h.engine.connectToInstrument();
    for (int i = 0; i < 32; ++i)
        h.reply("OK"); // the directory's closing "?" stays unanswered
    ASSERT_EQ(h.engine.linkMode(), LinkMode::Idle);
    const int before = h.sentCount();
    ASSERT_TRUE(h.engine.prepareDownload());
    EXPECT_EQ(h.sentCount(), before);
    h.reply("late answer");
    EXPECT_EQ(h.commands(before), QList<QByteArray>{"a"});
    h.reply("OK");
    EXPECT_EQ(h.commands(before), (QList<QByteArray>{"a", "c"}));
}

TEST_P(Download, openingCallGoesOutAfterTwoTicksWhenTheOutstandingAnswerIsLost)
{
    h.engine.connectToInstrument();
    for (int i = 0; i < 32; ++i)
        h.reply("OK");
    const int before = h.sentCount();
    ASSERT_TRUE(h.engine.prepareDownload());
    h.engine.tick();
    EXPECT_EQ(h.sentCount(), before);
    h.engine.tick();
    EXPECT_EQ(h.commands(before), QList<QByteArray>{"a"});
}

TEST_P(Download, downloadIsRefusedBeforeTheConnectionIsOpen)
{
    EXPECT_FALSE(h.engine.prepareDownload());
    EXPECT_TRUE(h.link.sent.isEmpty());
}

TEST_P(Download, existingFileIsReplacedOnlyWhenTheUserAgreed)
{
    setUpJob3(1);
    const QString path = dir.filePath("ROAD1.gsi");
    testsupport::writeAll(path, "keep me\r\n");
    ASSERT_TRUE(h.engine.prepareDownload());
    h.converse();
    EXPECT_FALSE(h.engine.startDownload(request()).isEmpty());
    EXPECT_FALSE(h.engine.transferActive());
    h.engine.tick();
    EXPECT_EQ(testsupport::readAll(path), QByteArray("keep me\r\n"));

    QSignalSpy added(&h.engine, &ConversationEngine::fileAdded);
    DownloadRequest agreed = request();
    agreed.overwrite = true;
    ASSERT_EQ(h.engine.startDownload(agreed), QString());
    h.engine.tick();
    h.converse();
    EXPECT_EQ(testsupport::readAll(path), gsi16Line(1) + "\r\n");
    ASSERT_EQ(added.size(), 1);
    EXPECT_TRUE(added.at(0).at(1).toBool());
}

TEST_P(Download, destinationThatCannotBeCreatedStopsTheDownloadBeforeItStarts)
{
    setUpJob3(1);
    ASSERT_TRUE(h.engine.prepareDownload());
    h.converse();
    const int before = h.sentCount();
    DownloadRequest r = request();
    r.folder = dir.filePath("missing");
    const QString error = h.engine.startDownload(r);
    EXPECT_TRUE(error.contains("missing")) << error.toStdString();
    h.engine.tick();
    EXPECT_EQ(h.sentCount(), before);
}

TEST_P(Download, jobNameNeverReachesOutsideTheChosenFolder)
{
    setUpJob3(1);
    DownloadRequest r = request();
    r.fileName = QStringLiteral("../x");
    run(r);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"___x.gsi"});
    r.fileName = QStringLiteral("..");
    EXPECT_EQ(QFileInfo(ConversationEngine::downloadFilePath(r)).absolutePath(),
              QFileInfo(dir.path()).absoluteFilePath());
}

TEST_P(Download, lostLinkMidDownloadLeavesNoFileAndReportsIt)
{
    setUpJob3(3);
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    QSignalSpy lost(&h.engine, &ConversationEngine::linkLost);
    ASSERT_TRUE(h.engine.prepareDownload());
    h.converse();
    ASSERT_EQ(h.engine.startDownload(request()), QString());
    h.engine.tick();
    h.reply("OK");         // FORM/SET/0
    h.reply("OK");         // the request
    h.reply(gsi16Line(1)); // line 1
    h.link.lose(QStringLiteral("device vanished"));
    // One report, and it says what became of the file.
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(lost.size(), 0);
    const auto result = finished.at(0).at(0).value<TransferResult>();
    EXPECT_EQ(result.outcome, TransferResult::Outcome::LinkLost);
    EXPECT_EQ(result.reason, QStringLiteral("device vanished"));
    EXPECT_EQ(result.linesTransferred, 1);
    EXPECT_FALSE(result.fileKept);
    EXPECT_TRUE(result.report().contains("nothing was saved")) << result.report().toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Directory);
    EXPECT_FALSE(h.engine.transferActive());
}

#ifdef Q_OS_UNIX
// A disk that fills up mid-download: the write fails once the file's buffer is
// flushed, and the failure must reach the progress dialog and the caller.
TEST_P(Download, fileThatCannotBeWrittenEndsTheDownloadAsAFailure)
{
    constexpr int kLines = 200; // well past the 16 KiB the file buffers
    setUpJob3(kLines);
    QList<QByteArray> observations;
    for (int i = 1; i <= kLines; ++i)
        observations.append(gsi16Line(i));
    h.instrument.observations[3] = observations;
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);

    struct rlimit saved
    {
    };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    for (const int kind : {0, 1}) {
        ASSERT_TRUE(h.engine.prepareDownload());
        h.converse();
        ASSERT_EQ(h.engine.startDownload(request(DataKind(kind))), QString());
        struct rlimit small = saved;
        small.rlim_cur = 1024;
        setrlimit(RLIMIT_FSIZE, &small);
        h.engine.tick();
        h.converse();
        setrlimit(RLIMIT_FSIZE, &saved);
        ASSERT_EQ(finished.size(), kind + 1) << "kind " << kind;
        EXPECT_EQ(finished.last().at(0).value<TransferResult>().outcome,
                  TransferResult::Outcome::Failed)
            << "kind " << kind;
        EXPECT_FALSE(h.engine.transferActive()) << "kind " << kind;
        EXPECT_EQ(h.engine.linkMode(), LinkMode::Idle);
    }
    std::signal(SIGXFSZ, savedSignal);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
#endif

TEST_P(Download, linkLostWhileACommandIsWrittenLeavesTheEngineReadyToConnectAgain)
{
    setUpJob3(3);
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    ASSERT_TRUE(h.engine.prepareDownload());
    h.converse();
    ASSERT_EQ(h.engine.startDownload(request()), QString());
    h.link.loseOnSend = "FORM/SET/0";
    h.engine.tick();
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Directory);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished.at(0).at(0).value<TransferResult>().outcome,
              TransferResult::Outcome::LinkLost);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    // The erase's own command, after the reconnect.
    h.skipAnswered();
    ASSERT_EQ(h.engine.connectToInstrument(), ConversationEngine::ConnectResult::Started);
    h.converse();
    ASSERT_EQ(h.engine.linkMode(), LinkMode::Idle);
    h.link.loseOnSend = "JOB/ERASE/COORDS/";
    ASSERT_EQ(h.engine.erase(3), QString());
    h.converse();
    EXPECT_EQ(h.engine.linkMode(), LinkMode::Directory);
    EXPECT_EQ(h.engine.connectToInstrument(), ConversationEngine::ConnectResult::Started);
}

TEST_P(Download, eraseDuringADownloadAbandonsItsFile)
{
    setUpJob3(3);
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    ASSERT_TRUE(h.engine.prepareDownload());
    h.converse();
    ASSERT_EQ(h.engine.startDownload(request()), QString());
    h.engine.tick();
    h.reply("OK");
    h.reply("OK");
    h.skipAnswered();
    ASSERT_EQ(h.engine.erase(3), QString());
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished.at(0).at(0).value<TransferResult>().outcome,
              TransferResult::Outcome::Failed);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(h.engine.linkMode(), LinkMode::EraseCoordinates);
}

INSTANTIATE_TEST_SUITE_P(Wire, Download, kAllWires, wireName);
