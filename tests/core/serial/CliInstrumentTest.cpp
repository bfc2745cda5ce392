// SPDX-License-Identifier: GPL-3.0-or-later
// rqtcom-cli against rqtsim over a real pseudo-terminal.

#include "sim/SimJobStore.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WaitFor.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>

namespace {

struct CliResult
{
    int exitCode = -1;
    bool crashed = false;
    QByteArray out;
    QByteArray err;
};

// One rqtsim process; stopped when the test ends.
class Sim
{
public:
    explicit Sim(const QStringList &options = {})
    {
        m_log = m_dir.filePath(QStringLiteral("commands.log"));
        m_process.start(testsupport::binPath(QStringLiteral("rqtsim")),
                        QStringList{QStringLiteral("--log"), m_log} + options);
        if (m_process.waitForReadyRead(10000))
            m_path = QString::fromLocal8Bit(m_process.readLine().trimmed());
    }
    ~Sim()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    QString path() const { return m_path; }
    bool running() const { return m_process.state() == QProcess::Running; }

    // The commands received, each without its end mark.
    QList<QByteArray> commands() const
    {
        QByteArray bytes = testsupport::readAll(m_log);
        bytes.replace("\r\n", "\r");
        QList<QByteArray> list = bytes.split('\r');
        list.removeLast();
        return list;
    }

private:
    QTemporaryDir m_dir;
    QString m_log;
    QProcess m_process;
    QString m_path;
};

CliResult runCli(const QStringList &args, int timeoutMs = 60000)
{
    QProcess cli;
    cli.start(testsupport::binPath(QStringLiteral("rqtcom-cli")), args);
    CliResult result;
    if (!cli.waitForFinished(timeoutMs)) {
        cli.kill();
        cli.waitForFinished();
    }
    result.crashed = cli.exitStatus() != QProcess::NormalExit;
    result.exitCode = cli.exitCode();
    result.out = cli.readAllStandardOutput();
    result.err = cli.readAllStandardError();
    return result;
}

QStringList withPort(const Sim &sim, QStringList args, bool crOnly = false)
{
    args << QStringLiteral("--port") << sim.path() << QStringLiteral("--timeout")
         << QStringLiteral("5");
    if (crOnly)
        args << QStringLiteral("--endmark") << QStringLiteral("cr");
    return args;
}

// "a" and the 32 commands of the opening conversation.
QList<QByteArray> openingConversation()
{
    QList<QByteArray> commands = {"a",
                                  "c",
                                  "CONF/182",
                                  "CONF/136",
                                  "CONF/137",
                                  "GET//WI13",
                                  "CODE/CONF/LIST",
                                  "?",
                                  "JOB/CONF/LIST"};
    for (int i = 0; i < 17; ++i)
        commands << "?";
    commands << "FORM/CONF/LIST"
             << "?"
             << "?"
             << "HAL/CONF/LIST"
             << "?"
             << "VAL/CONF/LIST"
             << "?";
    return commands;
}

QList<QByteArray> refresh()
{
    return QList<QByteArray>{"JOB/CONF/LIST"} + QList<QByteArray>(17, "?");
}

QByteArray crlfLines(const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

QList<QByteArray> afterOpening(const Sim &sim)
{
    const QList<QByteArray> all = sim.commands();
    const qsizetype opening = openingConversation().size();
    EXPECT_GE(all.size(), opening);
    EXPECT_EQ(all.mid(0, opening), openingConversation());
    return all.mid(opening);
}

class CliInstrument : public ::testing::TestWithParam<bool>
{
};

} // namespace

TEST_P(CliInstrument, jobsRunsTheOpeningConversationAndListsSeventeenJobs)
{
    const bool crOnly = GetParam();
    Sim sim(crOnly ? QStringList{QStringLiteral("--endmark"), QStringLiteral("cr")}
                   : QStringList{});
    ASSERT_FALSE(sim.path().isEmpty());
    const CliResult r = runCli(withPort(sim, {QStringLiteral("jobs")}, crOnly));
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QList<QByteArray> lines = r.out.split('\n');
    ASSERT_EQ(lines.size(), 18);
    EXPECT_EQ(lines[0], "1\tROAD1\t25\t40");
    EXPECT_EQ(lines[3], "4\t<empty>\t0\t0");
    EXPECT_EQ(lines[16], "17\t<empty>\t0\t0");
    EXPECT_TRUE(afterOpening(sim).isEmpty());
}

TEST_P(CliInstrument, downloadStoresEveryLineWithCrLf)
{
    const bool crOnly = GetParam();
    Sim sim(crOnly ? QStringList{QStringLiteral("--endmark"), QStringLiteral("cr")}
                   : QStringList{});
    QTemporaryDir dir;
    const CliResult r = runCli(withPort(sim,
                                        {QStringLiteral("download"), QStringLiteral("--job"),
                                         QStringLiteral("1"), QStringLiteral("--dir"), dir.path()},
                                        crOnly));
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QString path = QDir(dir.path()).filePath(QStringLiteral("ROAD1.gsi"));
    EXPECT_EQ(r.out.trimmed(), path.toLocal8Bit());
    EXPECT_EQ(testsupport::readAll(path), crlfLines(SimJobStore::demo().job(1).coordinates));
    EXPECT_EQ(afterOpening(sim), (QList<QByteArray>{"a", "c", "FORM/SET/0", "JOB/RCV/COORDS/1"} +
                                  QList<QByteArray>(26, "?")));
}

// Job 1 holds 25 points: the file is neither added to them nor put in their
// place unless the command line says which.
TEST_P(CliInstrument, uploadIntoAJobThatHoldsPointsNeedsAppendOrReplace)
{
    const bool crOnly = GetParam();
    Sim sim(crOnly ? QStringList{QStringLiteral("--endmark"), QStringLiteral("cr")}
                   : QStringList{});
    QTemporaryDir dir;
    const QList<QByteArray> lines = SimJobStore::demo().job(2).coordinates.mid(0, 3);
    const QString file = dir.filePath(QStringLiteral("three.gsi"));
    ASSERT_TRUE(testsupport::writeAll(file, crlfLines(lines)));
    const auto upload = [&](const QStringList &extra) {
        return runCli(withPort(sim,
                               QStringList{QStringLiteral("upload"), QStringLiteral("--job"),
                                           QStringLiteral("1"), file} +
                                   extra,
                               crOnly));
    };
    const auto tail = [&](const QList<QByteArray> &expected) {
        const QList<QByteArray> all = sim.commands();
        return all.mid(qMax<qsizetype>(0, all.size() - expected.size())) == expected;
    };

    CliResult r = upload({});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("holds 25 points")) << r.err.constData();
    EXPECT_TRUE(r.err.contains("--append") && r.err.contains("--replace")) << r.err.constData();
    EXPECT_TRUE(afterOpening(sim).isEmpty()) << "nothing is sent after the directory";

    r = upload({QStringLiteral("--append"), QStringLiteral("--replace")});
    EXPECT_EQ(r.exitCode, 2) << r.err.constData();

    r = upload({QStringLiteral("--append")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out, "1\tROAD1\t28\t40\n");
    EXPECT_TRUE(tail(QList<QByteArray>{"a", "c", "FORM/SET/0", "JOB/SND/COORD/1"} + lines +
                     QList<QByteArray>{"\x1a"} + refresh()));

    // The erase goes first, once "a" and "c" are answered.
    r = upload({QStringLiteral("--replace")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out, "1\tROAD1\t3\t40\n");
    EXPECT_TRUE(
        tail(QList<QByteArray>{"a", "c", "JOB/ERASE/COORDS/1", "FORM/SET/0", "JOB/SND/COORD/1"} +
             lines + QList<QByteArray>{"\x1a"} + refresh()));
}

TEST_P(CliInstrument, eraseEndsWithTheRefreshedLine)
{
    const bool crOnly = GetParam();
    Sim sim(crOnly ? QStringList{QStringLiteral("--endmark"), QStringLiteral("cr")}
                   : QStringList{});
    const CliResult r = runCli(withPort(
        sim, {QStringLiteral("erase"), QStringLiteral("--job"), QStringLiteral("2")}, crOnly));
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out, "2\tBRIDGE_N\t0\t210\n");
    EXPECT_EQ(afterOpening(sim), (QList<QByteArray>{"a", "c", "JOB/ERASE/COORDS/2"} + refresh()));
}

INSTANTIATE_TEST_SUITE_P(EndMarks, CliInstrument, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "Cr" : "CrLf"; });

TEST(CliDownload, idexObservationsAndSplitRepliesGiveTheExpectedFiles)
{
    Sim sim({QStringLiteral("--split")});
    QTemporaryDir dir;
    const SimJob job = SimJobStore::demo().job(1);
    auto download = [&](QStringList extra) {
        return runCli(
            withPort(sim, QStringList{QStringLiteral("download"), QStringLiteral("--job"),
                                      QStringLiteral("1"), QStringLiteral("--dir"), dir.path()} +
                              extra));
    };
    CliResult r = download({QStringLiteral("--type"), QStringLiteral("idex")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(testsupport::readAll(dir.filePath(QStringLiteral("ROAD1.idex"))),
              crlfLines(job.coordinates));
    // What the download wrote is read back as the GSI it holds.
    const CliResult converted =
        runCli({QStringLiteral("convert"), dir.filePath(QStringLiteral("ROAD1.idex")),
                dir.filePath(QStringLiteral("again.gsi"))});
    ASSERT_EQ(converted.exitCode, 0) << converted.err.constData();
    EXPECT_EQ(testsupport::readAll(dir.filePath(QStringLiteral("again.gsi"))).count('\n'),
              job.coordinates.size());

    r = download(
        {QStringLiteral("--observations"), QStringLiteral("--name"), QStringLiteral("obs")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(testsupport::readAll(dir.filePath(QStringLiteral("obs.gsi"))),
              crlfLines(job.observations));
}

// rqtcom's own readers take the third column of a .dat file as the easting:
// the download writes it there, and --northing-first keeps the earlier order.
TEST(CliDownload, cassWritesOneLinePerPointEastingFirstUnlessTold)
{
    Sim sim;
    QTemporaryDir dir;
    const QStringList download = {QStringLiteral("download"),
                                  QStringLiteral("--job"),
                                  QStringLiteral("1"),
                                  QStringLiteral("--dir"),
                                  dir.path(),
                                  QStringLiteral("--type"),
                                  QStringLiteral("cass")};
    CliResult r = runCli(withPort(sim, download));
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    QList<QByteArray> cass =
        testsupport::readAll(dir.filePath(QStringLiteral("ROAD1.dat"))).split('\n');
    ASSERT_EQ(cass.size(), 26);
    const QByteArray gsi = SimJobStore::demo().job(1).coordinates.at(0);
    const auto metres = [&](int offset) {
        return QByteArray::number(gsi.mid(offset, 16).toLongLong() / 1000.0, 'f', 3);
    };
    // Name, empty code, easting (81), northing (82), elevation (83).
    EXPECT_EQ(cass[0], "R1,," + metres(32) + ',' + metres(56) + ',' + metres(80) + '\r');

    r = runCli(withPort(sim, download + QStringList{QStringLiteral("--name"), QStringLiteral("old"),
                                                    QStringLiteral("--northing-first")}));
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    cass = testsupport::readAll(dir.filePath(QStringLiteral("old.dat"))).split('\n');
    ASSERT_EQ(cass.size(), 26);
    EXPECT_EQ(cass[0], "R1,," + metres(56) + ',' + metres(32) + ',' + metres(80) + '\r');

    // The option means nothing for a GSI file, and says so.
    r = runCli(
        withPort(sim, {QStringLiteral("download"), QStringLiteral("--job"), QStringLiteral("1"),
                       QStringLiteral("--dir"), dir.path(), QStringLiteral("--northing-first")}));
    EXPECT_EQ(r.exitCode, 2) << r.err.constData();
}

TEST(CliDownload, anExistingFileIsReplacedOnlyWithOverwrite)
{
    Sim sim;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.gsi"));
    ASSERT_TRUE(testsupport::writeAll(path, "precious\r\n"));
    const QStringList args =
        withPort(sim, {QStringLiteral("download"), QStringLiteral("--job"), QStringLiteral("10"),
                       QStringLiteral("--dir"), dir.path(), QStringLiteral("--name"),
                       QStringLiteral("keep")});
    CliResult r = runCli(args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("--overwrite"));
    EXPECT_EQ(testsupport::readAll(path), "precious\r\n");
    EXPECT_TRUE(sim.commands().isEmpty()) << "nothing is sent";

    r = runCli(args + QStringList{QStringLiteral("--overwrite")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(testsupport::readAll(path), crlfLines(SimJobStore::demo().job(10).coordinates));
}

TEST(CliUpload, anUnnamedJobNeedsAValidName)
{
    Sim sim;
    QTemporaryDir dir;
    const QList<QByteArray> lines = SimJobStore::demo().job(2).coordinates.mid(0, 2);
    const QString file = dir.filePath(QStringLiteral("two.gsi"));
    ASSERT_TRUE(testsupport::writeAll(file, crlfLines(lines)));
    auto upload = [&](QStringList extra) {
        return runCli(withPort(sim, QStringList{QStringLiteral("upload"), QStringLiteral("--job"),
                                                QStringLiteral("12"), file} +
                                        extra));
    };

    CliResult r = upload({QStringLiteral("--name"), QStringLiteral("A/B")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(sim.commands().isEmpty()) << "a bad name is refused before the port is opened";

    r = upload({});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("--name")) << r.err.constData();
    EXPECT_TRUE(afterOpening(sim).isEmpty()) << "nothing is sent after the directory";

    r = upload({QStringLiteral("--name"), QStringLiteral("NEW")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out, "12\tNEW\t2\t0\n");
    const QList<QByteArray> all = sim.commands();
    const QList<QByteArray> expectedTail =
        QList<QByteArray>{"a", "c", "JOB/SET/NEW/12", "FORM/SET/0", "JOB/SND/COORD/12"} + lines +
        QList<QByteArray>{"\x1a"} + refresh();
    ASSERT_GE(all.size(), expectedTail.size());
    EXPECT_EQ(all.mid(all.size() - expectedTail.size()), expectedTail);
}

TEST(CliUpload, aFileOfNeitherFormIsRefused)
{
    Sim sim;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("notes.gsi"));
    ASSERT_TRUE(testsupport::writeAll(file, "hello\r\n"));
    const CliResult r = runCli(withPort(
        sim, {QStringLiteral("upload"), QStringLiteral("--job"), QStringLiteral("1"), file}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Please Sellect Right File!"));
    EXPECT_TRUE(sim.commands().isEmpty());
}

TEST(CliFailures, aSilentInstrumentEndsWithExitThreeWithinTheTimeout)
{
    Sim sim({QStringLiteral("--silent")});
    QElapsedTimer clock;
    clock.start();
    const CliResult r = runCli({QStringLiteral("jobs"), QStringLiteral("--port"), sim.path(),
                                QStringLiteral("--timeout"), QStringLiteral("1")});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(r.err.startsWith("rqtcom-cli: ")) << r.err.constData();
    EXPECT_TRUE(r.err.contains("did not answer")) << r.err.constData();
    EXPECT_EQ(sim.commands(), QList<QByteArray>{"a"});
}

TEST(CliFailures, aPortThatCannotBeOpenedEndsWithExitThree)
{
    const CliResult r = runCli({QStringLiteral("jobs"), QStringLiteral("--port"),
                                QStringLiteral("/dev/rqtcom-no-such-port")});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.err.contains("/dev/rqtcom-no-such-port")) << r.err.constData();
}

TEST(CliFailures, anInstrumentVanishingMidDownloadLeavesNoFile)
{
    // 33 replies open the connection, 4 start the download, then three data lines.
    Sim sim({QStringLiteral("--vanish-after"), QStringLiteral("40")});
    QTemporaryDir dir;
    const CliResult r =
        runCli(withPort(sim, {QStringLiteral("download"), QStringLiteral("--job"),
                              QStringLiteral("2"), QStringLiteral("--dir"), dir.path()}));
    EXPECT_FALSE(r.crashed);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.err.contains("lost")) << r.err.constData();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty())
        << "no partial file is left behind";
}

TEST(CliFailures, badOptionsAreUsageErrors)
{
    EXPECT_EQ(
        runCli({QStringLiteral("jobs"), QStringLiteral("--baud"), QStringLiteral("2400")}).exitCode,
        2);
    EXPECT_EQ(
        runCli({QStringLiteral("erase"), QStringLiteral("--job"), QStringLiteral("18")}).exitCode,
        2);
    EXPECT_EQ(runCli({QStringLiteral("jobs"), QStringLiteral("--endmark"), QStringLiteral("lf")})
                  .exitCode,
              2);
    EXPECT_EQ(
        runCli({QStringLiteral("download"), QStringLiteral("--job"), QStringLiteral("1")}).exitCode,
        2);
}

TEST(CliDownload, aTargetThatIsALinkOrNoRegularFileIsRefusedBeforeAnythingIsSent)
{
    Sim sim;
    QTemporaryDir dir;
    QTemporaryDir outside;
    const QString victim = outside.filePath(QStringLiteral("victim.gsi"));
    ASSERT_TRUE(testsupport::writeAll(victim, "outside\r\n"));
    ASSERT_TRUE(QFile::link(victim, dir.filePath(QStringLiteral("out.gsi"))));
    ASSERT_TRUE(QFile::link(outside.filePath(QStringLiteral("made.gsi")),
                            dir.filePath(QStringLiteral("dangling.gsi"))));
    ASSERT_EQ(
        ::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.gsi"))).constData(), 0600), 0);
    for (const char *name : {"out", "dangling", "pipe"}) {
        SCOPED_TRACE(name);
        const CliResult r = runCli(
            withPort(sim, {QStringLiteral("download"), QStringLiteral("--job"), QStringLiteral("1"),
                           QStringLiteral("--dir"), dir.path(), QStringLiteral("--name"),
                           QString::fromLatin1(name), QStringLiteral("--overwrite")}));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(name)) << r.err.constData();
        EXPECT_TRUE(sim.commands().isEmpty()) << "nothing is sent";
    }
    EXPECT_EQ(testsupport::readAll(victim), "outside\r\n");
    EXPECT_FALSE(QFile::exists(outside.filePath(QStringLiteral("made.gsi"))));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("out.gsi"))).isSymLink());

    // Named after the job: the directory has to be read first, then nothing more.
    ASSERT_TRUE(QFile::link(victim, dir.filePath(QStringLiteral("ROAD1.gsi"))));
    const CliResult r = runCli(
        withPort(sim, {QStringLiteral("download"), QStringLiteral("--job"), QStringLiteral("1"),
                       QStringLiteral("--dir"), dir.path(), QStringLiteral("--overwrite")}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("link")) << r.err.constData();
    EXPECT_TRUE(afterOpening(sim).isEmpty());
    EXPECT_EQ(testsupport::readAll(victim), "outside\r\n");
}

namespace {

// A job store for rqtsim --store: jobs 1.. with these names and coordinate lines.
QString makeStore(const QTemporaryDir &dir, const QList<QPair<QByteArray, QList<QByteArray>>> &jobs)
{
    QByteArray index;
    for (qsizetype i = 0; i < jobs.size(); ++i) {
        const QByteArray file = "job" + QByteArray::number(i + 1) + ".gsi";
        testsupport::writeAll(dir.filePath(QString::fromLatin1(file)), crlfLines(jobs[i].second));
        index += jobs[i].first + '\t' + file + "\t\n";
    }
    testsupport::writeAll(dir.filePath(QStringLiteral("index.txt")), index);
    return dir.path();
}

QByteArray gsiPoint(int n)
{
    return "*11" + QByteArray::number(1000 + n) + "+" +
           QByteArray::number(n).rightJustified(16, '0') +
           " 81..00+0000000000123456 82..00+0000000000654321 83..00+0000000000001234 ";
}

} // namespace

TEST(CliInstrumentReplies, oddNamesCountsAndLinesAreReportedNotHidden)
{
    QTemporaryDir store;
    const QList<QByteArray> three = {gsiPoint(1), "*110002+short", gsiPoint(3)};
    Sim sim(
        {QStringLiteral("--store"),
         makeStore(store, {{"A\x1b[31mB\\C", {gsiPoint(1)}}, {"ROAD,1", three}, {"C3", three}})});
    QTemporaryDir dir;

    CliResult r = runCli(withPort(sim, {QStringLiteral("jobs")}));
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.out.startsWith("1\tA\\x1b[31mB\\\\C\t1\t0\n")) << r.out.constData();

    // The comma in job 2's name moves "GSI16" into the count's place.
    const qsizetype before = sim.commands().size();
    r = runCli(withPort(sim, {QStringLiteral("download"), QStringLiteral("--job"),
                              QStringLiteral("2"), QStringLiteral("--dir"), dir.path()}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("job 2")) << r.err.constData();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(sim.commands().mid(before), openingConversation()) << "no download was started";

    r = runCli(withPort(sim, {QStringLiteral("download"), QStringLiteral("--job"),
                              QStringLiteral("3"), QStringLiteral("--dir"), dir.path(),
                              QStringLiteral("--type"), QStringLiteral("cass")}));
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.err.contains("warning: 1 of the 3 lines")) << r.err.constData();
    EXPECT_EQ(testsupport::readAll(dir.filePath(QStringLiteral("C3.dat"))).count('\n'), 2);
}

TEST(CliUpload, aMissingFileOrAFolderIsRefusedBeforeAnythingIsSent)
{
    Sim sim;
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("folder.gsi"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.gsi")));
    const struct
    {
        QString file;
        const char *said;
    } cases[] = {{dir.filePath(QStringLiteral("missing.gsi")), "no such file"},
                 {folder, "not a file"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.said);
        const CliResult r = runCli(withPort(
            sim, {QStringLiteral("upload"), QStringLiteral("--job"), QStringLiteral("1"), c.file}));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(c.said)) << r.err.constData();
        EXPECT_FALSE(r.err.contains("Sellect")) << r.err.constData();
    }
    EXPECT_TRUE(sim.commands().isEmpty());
}

TEST(CliFailures, timeoutsThatAreNoTimeAndExtraArgumentsAreUsageErrors)
{
    for (const char *timeout : {"nan", "inf", "-1", "0", "0.001", "1e400"}) {
        const CliResult r = runCli(
            {QStringLiteral("jobs"), QStringLiteral("--timeout"), QString::fromLatin1(timeout)});
        EXPECT_EQ(r.exitCode, 2) << timeout;
        EXPECT_TRUE(r.err.contains("--timeout")) << timeout << ": " << r.err.constData();
    }
    const QStringList extra[] = {
        {QStringLiteral("jobs"), QStringLiteral("extra")},
        {QStringLiteral("erase"), QStringLiteral("--job"), QStringLiteral("1"),
         QStringLiteral("extra")},
        {QStringLiteral("download"), QStringLiteral("--job"), QStringLiteral("1"),
         QStringLiteral("--dir"), QStringLiteral("."), QStringLiteral("extra")},
        {QStringLiteral("upload"), QStringLiteral("--job"), QStringLiteral("1"),
         QStringLiteral("a.gsi"), QStringLiteral("b.gsi")}};
    for (const QStringList &args : extra) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("extra") || r.err.contains("b.gsi")) << r.err.constData();
    }
}

TEST(CliFailures, repliesInTheOtherEndMarkGetAHint)
{
    for (const bool simCr : {true, false}) {
        Sim sim(simCr ? QStringList{QStringLiteral("--endmark"), QStringLiteral("cr")}
                      : QStringList{});
        QStringList args = {QStringLiteral("jobs"), QStringLiteral("--port"), sim.path(),
                            QStringLiteral("--timeout"), QStringLiteral("1")};
        if (!simCr)
            args << QStringLiteral("--endmark") << QStringLiteral("cr");
        const CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 3);
        EXPECT_TRUE(r.err.contains(simCr ? "--endmark cr" : "--endmark crlf")) << r.err.constData();
    }
}

// SIGINT or SIGTERM in the middle of a download over a slow line: the run is
// cancelled, says what was kept, exits 130 and leaves no file at all.
TEST(CliInterrupt, aSignalMidDownloadCancelsItAndLeavesNoFile)
{
    for (const int signalNumber : {SIGINT, SIGTERM}) {
        Sim sim({QStringLiteral("--baud"), QStringLiteral("1200")});
        QTemporaryDir dir;
        QProcess cli;
        cli.start(testsupport::binPath(QStringLiteral("rqtcom-cli")),
                  withPort(sim, {QStringLiteral("download"), QStringLiteral("--job"),
                                 QStringLiteral("1"), QStringLiteral("--dir"), dir.path(),
                                 QStringLiteral("--baud"), QStringLiteral("1200")}));
        ASSERT_TRUE(cli.waitForStarted());
        // Two lines in: the temporary file exists and holds them.
        const bool midway = waitFor(
            [&] {
                const QList<QByteArray> commands = sim.commands();
                const qsizetype request = commands.indexOf("JOB/RCV/COORDS/1");
                return request >= 0 && commands.size() >= request + 3;
            },
            60000);
        ASSERT_TRUE(midway);
        ::kill(pid_t(cli.processId()), signalNumber);
        ASSERT_TRUE(cli.waitForFinished(10000));
        EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(cli.exitCode(), 130) << "signal " << signalNumber;
        const QByteArray err = cli.readAllStandardError();
        EXPECT_TRUE(err.contains("interrupted")) << err.constData();
        EXPECT_TRUE(err.contains("nothing was saved")) << err.constData();
        EXPECT_TRUE(cli.readAllStandardOutput().isEmpty());
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty())
            << "signal " << signalNumber;
    }
}

TEST(CliInterrupt, aSignalWhileConnectingEndsWith130)
{
    Sim sim({QStringLiteral("--silent")});
    QProcess cli;
    cli.start(testsupport::binPath(QStringLiteral("rqtcom-cli")),
              withPort(sim, {QStringLiteral("jobs")}));
    ASSERT_TRUE(cli.waitForStarted());
    ASSERT_TRUE(waitFor([&] { return !sim.commands().isEmpty(); }, 10000));
    ::kill(pid_t(cli.processId()), SIGINT);
    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitCode(), 130);
    EXPECT_TRUE(cli.readAllStandardError().contains("interrupted"));
}

TEST(CliNameEncoding, aGbkInstrumentIsReadAndNamesItsFilesOnACLocale)
{
    testsupport::ScopedCLocale locale; // the programs started below inherit it
    Sim sim({QStringLiteral("--name-encoding"), QStringLiteral("gbk")});
    QTemporaryDir dir;
    const QStringList gbk = {QStringLiteral("--name-encoding"), QStringLiteral("gbk")};

    CliResult r = runCli(withPort(sim, QStringList{QStringLiteral("jobs")} + gbk));
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.out.contains("6\t" + QStringLiteral("道路中线").toUtf8() + "\t64\t0\n"))
        << r.out.constData();

    r = runCli(withPort(sim, QStringList{QStringLiteral("download"), QStringLiteral("--job"),
                                         QStringLiteral("6"), QStringLiteral("--dir"), dir.path()} +
                                 gbk));
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(testsupport::readAll(dir.filePath(QStringLiteral("道路中线.gsi"))).count('\n'), 64);

    // A name GBK cannot hold is refused before anything is sent.
    const QString file = dir.filePath(QStringLiteral("up.gsi"));
    testsupport::writeAll(file, crlfLines({gsiPoint(1)}));
    const qsizetype before = sim.commands().size();
    r = runCli(withPort(sim, QStringList{QStringLiteral("upload"), QStringLiteral("--job"),
                                         QStringLiteral("4"), QStringLiteral("--name"),
                                         QStringLiteral("ก1"), file} +
                                 gbk));
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    EXPECT_EQ(sim.commands().size(), before);

    // A new name goes out in GBK and the instrument lists it so.
    r = runCli(withPort(sim, QStringList{QStringLiteral("upload"), QStringLiteral("--job"),
                                         QStringLiteral("4"), QStringLiteral("--name"),
                                         QStringLiteral("道路1"), file} +
                                 gbk));
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(sim.commands().contains("JOB/SET/" + QByteArray::fromHex("b5c0c2b731") + "/4"));
}

TEST(CliNameEncoding, theOptionIsExplainedAndAnUnknownEncodingIsAUsageError)
{
    const CliResult help = runCli({QStringLiteral("jobs"), QStringLiteral("--help")});
    EXPECT_TRUE(help.out.contains("--name-encoding")) << help.out.constData();
    EXPECT_TRUE(help.out.contains("gbk")) << help.out.constData();
    const CliResult r = runCli(
        {QStringLiteral("jobs"), QStringLiteral("--name-encoding"), QStringLiteral("gb2312")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("--name-encoding")) << r.err.constData();
}

TEST(CliDownload, observationsReduceToTheJobsFixedPoints)
{
    // The whole road of the demo: the observations downloaded from the
    // instrument, reduced from their station line, give the job's coordinates.
    Sim sim;
    QTemporaryDir dir;
    for (const int job : {1, 2}) {
        SCOPED_TRACE(job);
        const QString name = QStringLiteral("obs%1").arg(job);
        CliResult r = runCli(
            withPort(sim, {QStringLiteral("download"), QStringLiteral("--job"),
                           QString::number(job), QStringLiteral("--dir"), dir.path(),
                           QStringLiteral("--observations"), QStringLiteral("--name"), name}));
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        const QString obs = dir.filePath(name + QStringLiteral(".gsi"));
        const QString out = dir.filePath(name + QStringLiteral(".dat"));
        r = runCli({QStringLiteral("reduce"), obs, out});
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_TRUE(r.err.contains("Hz taken as azimuths")) << r.err.constData();

        const SimJob fixed = SimJobStore::demo().job(job);
        const QList<QByteArray> reduced = testsupport::readAll(out).split('\n');
        ASSERT_EQ(reduced.size() - 1, fixed.observations.size() - 1); // all but the station line
        for (int i = 0; i + 1 < reduced.size(); ++i) {
            // SOUTH: name,code,E,N,H; the rounds go over the fixed points in order.
            const QList<QByteArray> fields = reduced[i].trimmed().split(',');
            ASSERT_EQ(fields.size(), 5) << reduced[i].constData();
            const QByteArray &line = fixed.coordinates.at(i % fixed.coordinates.size());
            QByteArray pointName = line.mid(8, 16);
            while (pointName.startsWith('0'))
                pointName.remove(0, 1);
            EXPECT_EQ(fields[0], pointName);
            EXPECT_NEAR(fields[2].toDouble(), line.mid(31, 17).toDouble() / 1000, 0.001);
            EXPECT_NEAR(fields[3].toDouble(), line.mid(55, 17).toDouble() / 1000, 0.001);
            EXPECT_NEAR(fields[4].toDouble(), line.mid(79, 17).toDouble() / 1000, 0.001);
        }
    }
}
