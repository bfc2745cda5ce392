// SPDX-License-Identifier: GPL-3.0-or-later
// What the conversation engine itself costs per line, with the wire taken out:
// a 1,000-line coordinate download and a 1,000-line upload fed in-process.
// The wire needs about 0.5 s (download) and 0.5 s + 20 s of pauses (upload)
// for the same lines at 19,200 baud, so the engine's share should be tiny.
#include "core/protocol/ConversationEngine.h"
#include "core/serial/SerialLink.h"
#include "core/state/AppState.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class NullLink : public SerialLink
{
public:
    bool open(const CommSettings &) override { return true; }
    bool isOpen() const override { return true; }
    void send(const QByteArray &) override { ++sent; }
    QByteArray readAll() override { return {}; }
    void close() override {}
    QString errorString() const override { return {}; }
    int sent = 0;
};

constexpr int kLines = 1000;

const QByteArray kLine = "*110001+0000000000000012 81..00+0000000000123456 "
                         "82..00+0000000000654321 83..00+0000000000001234 \r\n";

void connect(ConversationEngine &engine, int count)
{
    engine.connectToInstrument();
    const QByteArray job = "JOB1,x," + QByteArray::number(count) + ",0\r\n";
    for (int i = 0; i < 33; ++i)
        engine.feed(i >= 8 && i <= 24 ? job : QByteArray("OK\r\n"));
}

void BM_Download1000Lines(benchmark::State &bench)
{
    QTemporaryDir dir;
    for (auto _ : bench) {
        CommSettings settings;
        NullLink link;
        ConversationEngine engine(settings, link);
        bool finished = false;
        QObject::connect(&engine, &ConversationEngine::finished, [&] { finished = true; });
        connect(engine, kLines);
        engine.prepareDownload();
        engine.feed("OK\r\n");
        engine.feed("OK\r\n");
        DownloadRequest request;
        request.jobNumber = 1;
        request.folder = dir.path();
        request.fileName = QStringLiteral("bench");
        request.overwrite = true;
        engine.startDownload(request);
        engine.tick();
        engine.feed("OK\r\n");
        engine.feed("OK\r\n");
        for (int i = 0; i < kLines; ++i)
            engine.feed(kLine);
        if (!finished)
            bench.SkipWithError("download did not finish");
    }
    bench.SetItemsProcessed(bench.iterations() * kLines);
}
BENCHMARK(BM_Download1000Lines)->Unit(benchmark::kMillisecond);

void BM_Upload1000Lines(benchmark::State &bench)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.gsi"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    for (int i = 0; i < kLines; ++i)
        file.write(kLine);
    file.close();
    for (auto _ : bench) {
        CommSettings settings;
        NullLink link;
        ConversationEngine engine(settings, link);
        bool finished = false;
        QObject::connect(&engine, &ConversationEngine::finished, [&] { finished = true; });
        // The pauses are the wire's, not the engine's: each ends at once.
        QObject::connect(&engine, &ConversationEngine::pauseRequested, &engine,
                         &ConversationEngine::resume, Qt::QueuedConnection);
        connect(engine, 0);
        engine.prepareUpload();
        engine.feed("OK\r\n");
        engine.feed("OK\r\n");
        UploadRequest request;
        request.jobNumber = 1;
        request.filePath = path;
        engine.startUpload(request);
        engine.tick();
        engine.feed("OK\r\n");
        engine.feed("OK\r\n");
        for (int i = 0; i <= kLines; ++i) {
            engine.feed("OK\r\n");
            QCoreApplication::sendPostedEvents(&engine); // the pause is over
        }
        if (!finished)
            bench.SkipWithError("upload did not finish");
    }
    bench.SetItemsProcessed(bench.iterations() * kLines);
}
BENCHMARK(BM_Upload1000Lines)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
