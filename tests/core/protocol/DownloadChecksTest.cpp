// SPDX-License-Identifier: GPL-3.0-or-later
// What a download checks before it writes anything and how it reports what it
// left out: directory counts that are no numbers, targets that are links,
// job names too long for the directory, CASS lines of no known length.

#include "core/protocol/DownloadWriter.h"
#include "core/protocol/JobTable.h"
#include "tests/core/protocol/EngineHarness.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

class DownloadChecks : public testing::TestWithParam<WireParams>
{
protected:
    DownloadChecks() : h(GetParam()) {}

    DownloadRequest request(DownloadFormat format = DownloadFormat::Gsi) const
    {
        DownloadRequest r;
        r.jobNumber = 3;
        r.format = format;
        r.folder = dir.path();
        r.fileName = QStringLiteral("OUT");
        return r;
    }

    QStringList files() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    QTemporaryDir dir;
    EngineHarness h;
};

} // namespace

TEST_P(DownloadChecks, aCountThatIsNoNumberRefusesTheDownloadBeforeAnythingIsWritten)
{
    // A comma in the name shifts the fields; a count with junk after its digits;
    // a line cut at the reply limit (its counts are lost with its end).
    const QByteArray lines[] = {"ROAD,1,x,25,130", "ROAD1,x,25x,130",
                                QByteArray(600, 'N') + ",x,25,130"};
    for (const QByteArray &line : lines) {
        SCOPED_TRACE(line.left(20).toStdString());
        EngineHarness run(GetParam());
        run.instrument.directory[2] = line;
        run.instrument.coordinates[3] = {gsi16Line(1)};
        run.connect();
        ASSERT_TRUE(run.engine.prepareDownload());
        run.converse();
        const int before = run.sentCount();
        const QString refused = run.engine.startDownload(request());
        EXPECT_TRUE(refused.contains(QStringLiteral("job 3"))) << refused.toStdString();
        run.engine.tick();
        run.converse();
        EXPECT_EQ(run.sentCount(), before);
        EXPECT_TRUE(files().isEmpty());
    }
}

TEST_P(DownloadChecks, observationsDoNotNeedTheFixedPointCount)
{
    h.instrument.directory[2] = "ROAD,1,x,25,130";
    h.instrument.observations[3] = {"110001+0000000A 21.324+12345678 "};
    h.connect();
    ASSERT_TRUE(h.engine.prepareDownload());
    h.converse();
    DownloadRequest r = request();
    r.dataKind = DataKind::Observations;
    ASSERT_EQ(h.engine.startDownload(r), QString());
    h.engine.tick();
    h.converse();
    EXPECT_EQ(files(), QStringList{QStringLiteral("OUT.gsi")});
}

TEST_P(DownloadChecks, cassLinesOfNoKnownLengthAreCountedInTheSummary)
{
    h.instrument.directory[2] = "ROAD1,x,3,0";
    h.instrument.coordinates[3] = {gsi16Line(1), "*110002+short", gsi16Line(3)};
    h.connect();
    QSignalSpy finished(&h.engine, &ConversationEngine::finished);
    ASSERT_TRUE(h.engine.prepareDownload());
    h.converse();
    ASSERT_EQ(h.engine.startDownload(request(DownloadFormat::Cass)), QString());
    h.engine.tick();
    h.converse();
    ASSERT_EQ(finished.size(), 1);
    const auto summary = finished.at(0).at(0).value<TransferResult>();
    EXPECT_TRUE(summary.complete());
    EXPECT_EQ(summary.skippedLines, 1);
    EXPECT_EQ(testsupport::readAll(dir.filePath(QStringLiteral("OUT.dat"))).count('\n'), 2);
    EXPECT_TRUE(summary.report().contains(QStringLiteral("1 of the 3 lines")))
        << qPrintable(summary.report());
}

INSTANTIATE_TEST_SUITE_P(Wires, DownloadChecks, kAllWires, wireName);

TEST(JobTableCount, onlyPlainDigitsAreACount)
{
    EXPECT_EQ(JobTable::plainCount(QStringLiteral("25")), 25);
    EXPECT_EQ(JobTable::plainCount(QStringLiteral("130\r\n")), 130);
    EXPECT_EQ(JobTable::plainCount(QStringLiteral(" 7 ")), 7);
    EXPECT_EQ(JobTable::plainCount(QStringLiteral("0")), 0);
    for (const char *bad : {"", "\r\n", "x", "GSI16", "25x", "-3", "+3", "2 5", "1234567890"})
        EXPECT_FALSE(JobTable::plainCount(QString::fromLatin1(bad))) << bad;
}

TEST(JobName, aNameIsLimitedToWhatTheDirectoryLineCarries)
{
    const QString longest(JobTable::kMaxJobNameBytes, QLatin1Char('N'));
    EXPECT_TRUE(ConversationEngine::jobNameError(longest).isEmpty());
    const QString error = ConversationEngine::jobNameError(longest + QLatin1Char('N'));
    EXPECT_TRUE(error.contains(QString::number(JobTable::kMaxJobNameBytes))) << error.toStdString();
    // The directory line of the longest name, with the largest counts, is no cut reply.
    const QByteArray line =
        QByteArray(JobTable::kMaxJobNameBytes, 'N') + ",GSI16000,999999999,999999999\r\n";
    EXPECT_LT(line.size(), ReplyAssembler::kCapacity);
    EXPECT_FALSE(DirectoryLine::parse(line).cut);
}

#ifdef Q_OS_UNIX
TEST(DownloadTarget, linksAndOtherNonRegularFilesAreRefusedEvenWithOverwrite)
{
    QTemporaryDir dir;
    QTemporaryDir outside;
    const QString victim = outside.filePath(QStringLiteral("victim.gsi"));
    ASSERT_TRUE(testsupport::writeAll(victim, "outside\r\n"));
    const QString link = dir.filePath(QStringLiteral("link.gsi"));
    const QString dangling = dir.filePath(QStringLiteral("dangling.gsi"));
    const QString pipe = dir.filePath(QStringLiteral("pipe.gsi"));
    ASSERT_TRUE(QFile::link(victim, link));
    ASSERT_TRUE(QFile::link(outside.filePath(QStringLiteral("new.gsi")), dangling));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString &path : {link, dangling, pipe}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(DownloadWriter::targetError(path, true).isEmpty());
        DownloadWriter writer;
        EXPECT_FALSE(writer.open(path, true));
    }
    EXPECT_EQ(testsupport::readAll(victim), "outside\r\n");
    EXPECT_FALSE(QFile::exists(outside.filePath(QStringLiteral("new.gsi"))));
    EXPECT_TRUE(
        DownloadWriter::targetError(dir.filePath(QStringLiteral("fresh.gsi")), false).isEmpty());
}

TEST(DownloadTarget, aLinkThatAppearsDuringTheDownloadIsReplacedNotWrittenThrough)
{
    QTemporaryDir dir;
    QTemporaryDir outside;
    const QString victim = outside.filePath(QStringLiteral("victim.gsi"));
    ASSERT_TRUE(testsupport::writeAll(victim, "outside\r\n"));
    const QString path = dir.filePath(QStringLiteral("job.gsi"));
    DownloadWriter writer;
    ASSERT_TRUE(writer.open(path, true));
    ASSERT_TRUE(writer.appendRawLine("line\r\n"));
    ASSERT_TRUE(QFile::link(victim, path));
    ASSERT_TRUE(writer.commit()) << writer.errorString().toStdString();
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_EQ(testsupport::readAll(path), "line\r\n");
    EXPECT_EQ(testsupport::readAll(victim), "outside\r\n");
}
#endif
