// SPDX-License-Identifier: GPL-3.0-or-later
// A 1,000-line coordinate download and a 1,000-line upload against
// `rqtsim --baud 19200`, timed from the transfer's first command to its last
// reply and compared with what the line itself allows: every byte on the wire
// at 1,920 bytes per second, plus the 20 ms pause before each uploaded line.

#include "core/session/InstrumentSession.h"
#include "core/state/AppState.h"
#include "sim/SimJobStore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kLines = 1000;
constexpr double kBytesPerSecond = 1920.0;

struct WireEvent
{
    qint64 ns;
    bool fromPc;
    qsizetype bytes;
    QByteArray head; // the first bytes of a command, to find the transfer's limits
};

// rqtsim with a 1,000-line job 1 and an empty named job 2, and a session on it.
class Rig
{
public:
    Rig()
    {
        QDir dir(m_store.path());
        QByteArray lines;
        for (int i = 1; i <= kLines; ++i)
            lines += gsi16CoordinateLine(i, "P" + QByteArray::number(i), 512345678 + i * 1000,
                                         3412345678LL + i * 700, 45000 + i) +
                     "\r\n";
        write(dir.filePath(QStringLiteral("bench.gsi")), lines);
        write(dir.filePath(QStringLiteral("upload.gsi")), lines);
        write(dir.filePath(QStringLiteral("index.txt")), "BENCH\tbench.gsi\nUP\n");

        const QString rqtsim =
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("rqtsim"));
        m_sim.start(rqtsim, {QStringLiteral("--baud"), QStringLiteral("19200"),
                             QStringLiteral("--store"), m_store.path()});
        if (!m_sim.waitForReadyRead(10000))
            qFatal("rqtsim did not start (%s)", qPrintable(rqtsim));
        m_session = std::make_unique<InstrumentSession>(m_state.commSettings);
        m_session->setDevicePath(QString::fromLocal8Bit(m_sim.readLine().trimmed()));
        ConversationEngine &engine = m_session->engine();
        QObject::connect(&engine, &ConversationEngine::commandSent, [this](const QByteArray &b) {
            m_events.push_back({m_clock.nsecsElapsed(), true, b.size(), b.left(10)});
        });
        QObject::connect(&engine, &ConversationEngine::replyReceived, [this](const QByteArray &b) {
            m_events.push_back({m_clock.nsecsElapsed(), false, b.size(), QByteArray()});
        });
        QObject::connect(&engine, &ConversationEngine::finished,
                         [this] { m_finishedNs = m_clock.nsecsElapsed(); });
        QObject::connect(&engine, &ConversationEngine::jobTableChanged,
                         [this](bool full) { m_refreshed = !full; });
        m_clock.start();
        QObject::connect(&engine, &ConversationEngine::jobTableChanged,
                         [this](bool full) { m_directoryRead = m_directoryRead || full; });
        if (engine.connectToInstrument() != ConversationEngine::ConnectResult::Started)
            qFatal("cannot open the simulator's pty");
        spin([this] { return m_directoryRead; });
        settle();
    }
    ~Rig()
    {
        m_session.reset();
        m_sim.kill();
        m_sim.waitForFinished();
    }

    ConversationEngine &engine() { return m_session->engine(); }
    QString uploadFile() const
    {
        return QDir(m_store.path()).filePath(QStringLiteral("upload.gsi"));
    }

    // Runs the event loop, without spinning, until done() holds.
    void spin(const std::function<bool()> &done)
    {
        QEventLoop loop;
        QTimer poll;
        QDeadlineTimer deadline(300000);
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (done() || deadline.hasExpired())
                loop.quit();
        });
        poll.start(20);
        if (!done())
            loop.exec();
        if (!done())
            qFatal("the simulated transfer did not end");
    }
    void settle()
    {
        int sent = 0;
        int received = 0;
        spin([&] {
            sent = received = 0;
            for (const WireEvent &e : m_events)
                (e.fromPc ? sent : received)++;
            return received >= sent;
        });
    }

    // Time and bytes from the command that starts with `first` up to the last
    // reply before `endNs`.
    void measure(const QByteArray &first, qint64 endNs, double *seconds, qint64 *bytes) const
    {
        qint64 startNs = -1;
        qint64 lastReplyNs = -1;
        *bytes = 0;
        for (const WireEvent &e : m_events) {
            if (startNs < 0 && e.fromPc && e.head.startsWith(first))
                startNs = e.ns;
            if (startNs < 0 || e.ns > endNs)
                continue;
            *bytes += e.bytes;
            if (!e.fromPc)
                lastReplyNs = e.ns;
        }
        // Commands sent after the last reply are not on the wire inside the window.
        for (auto it = m_events.rbegin(); it != m_events.rend() && it->ns > lastReplyNs; ++it) {
            if (it->fromPc && it->ns <= endNs)
                *bytes -= it->bytes;
        }
        *seconds = double(lastReplyNs - startNs) / 1e9;
    }

    // The time the command starting with `text` was sent after `afterNs`.
    qint64 commandTime(const QByteArray &text, qint64 afterNs) const
    {
        for (const WireEvent &e : m_events)
            if (e.fromPc && e.ns > afterNs && e.head.startsWith(text))
                return e.ns;
        return -1;
    }

    AppState m_state;
    std::vector<WireEvent> m_events;
    qint64 m_finishedNs = -1;
    bool m_refreshed = false;
    bool m_directoryRead = false;
    QElapsedTimer m_clock;

private:
    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
    }

    QTemporaryDir m_store;
    QProcess m_sim;
    std::unique_ptr<InstrumentSession> m_session;
};

void report(benchmark::State &state, double seconds, qint64 bytes, double pauses)
{
    const double limit = double(bytes) / kBytesPerSecond + pauses;
    state.SetIterationTime(seconds);
    state.counters["wire_bytes"] = double(bytes);
    state.counters["limit_s"] = limit;
    state.counters["measured_s"] = seconds;
    state.counters["over_limit_pct"] = (seconds / limit - 1.0) * 100.0;
}

void BM_Download1000Lines(benchmark::State &state)
{
    for (auto _ : state) {
        Rig rig;
        QTemporaryDir out;
        rig.engine().prepareDownload();
        DownloadRequest request;
        request.jobNumber = 1;
        request.folder = out.path();
        request.fileName = QStringLiteral("bench");
        const QString refused = rig.engine().startDownload(request);
        if (!refused.isEmpty())
            qFatal("%s", qPrintable(refused));
        rig.spin([&] { return rig.m_finishedNs >= 0; });
        double seconds = 0;
        qint64 bytes = 0;
        rig.measure("FORM/SET/0", rig.m_finishedNs, &seconds, &bytes);
        report(state, seconds, bytes, 0.0);
        rig.settle();
    }
}

void BM_Upload1000Lines(benchmark::State &state)
{
    for (auto _ : state) {
        Rig rig;
        rig.engine().prepareUpload();
        UploadRequest request;
        request.jobNumber = 2;
        request.filePath = rig.uploadFile();
        const QString refused = rig.engine().startUpload(request);
        if (!refused.isEmpty())
            qFatal("%s", qPrintable(refused));
        rig.spin([&] { return rig.m_refreshed; });
        const qint64 start = rig.commandTime("FORM/SET/0", 0);
        // The reply to the SUB is the transfer's last; the refresh follows it.
        const qint64 refresh = rig.commandTime("JOB/CONF/L", start);
        double seconds = 0;
        qint64 bytes = 0;
        rig.measure("FORM/SET/0", refresh - 1, &seconds, &bytes);
        report(state, seconds, bytes, ConversationEngine::kUploadLinePauseMs / 1000.0 * kLines);
        rig.settle();
    }
}

BENCHMARK(BM_Download1000Lines)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Upload1000Lines)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
