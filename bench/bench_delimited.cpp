// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing 1,000,000 generated points in each delimited format,
// CSV and LandXML.
// Target: at least 2,000,000 points per second each way (Release build).
#include "core/coordfiles/CoordFileIo.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype kPointCount = 1000000;

// Survey-like points: a numbered name and coordinates with three decimals.
const PointList &generatedPoints()
{
    static const PointList points = [] {
        PointList list;
        list.points().reserve(kPointCount);
        for (qsizetype i = 0; i < kPointCount; ++i) {
            const QString n = QString::number(i + 1);
            list.append(PointRecord{n, QStringLiteral("P") + n,
                                    QString::number(500000.0 + double(i % 100000) * 0.137, 'f', 3),
                                    QString::number(3000000.0 + double(i) * 0.011, 'f', 3),
                                    QString::number(40.0 + double(i % 977) * 0.01, 'f', 3),
                                    QString()});
        }
        return list;
    }();
    return points;
}

// Keeps only the last point, so the reader's own cost is what is measured.
class CountingSink : public PointSink
{
public:
    void clear() override { m_count = 0; }
    void append(const PointRecord &point) override
    {
        m_last = point;
        ++m_count;
    }
    qsizetype count() const { return m_count; }

private:
    PointRecord m_last;
    qsizetype m_count = 0;
};

QByteArray writeAll(CoordFormat format)
{
    QByteArray bytes;
    bytes.reserve(128 * kPointCount);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CoordFileIo::write(buffer, format, generatedPoints(), true);
    return bytes;
}

void writeBenchmark(benchmark::State &state, CoordFormat format)
{
    const PointList &points = generatedPoints();
    QByteArray bytes;
    bytes.reserve(128 * kPointCount);
    for (auto _ : state) {
        bytes.resize(0);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        const CoordWriteResult result = CoordFileIo::write(buffer, format, points, true);
        if (!result.ok())
            state.SkipWithError("write failed");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetItemsProcessed(state.iterations() * kPointCount);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void readBenchmark(benchmark::State &state, CoordFormat format)
{
    QByteArray bytes = writeAll(format);
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CountingSink sink;
        CoordFileIo::read(buffer, format, sink);
        if (sink.count() != kPointCount)
            state.SkipWithError("wrong point count");
    }
    state.SetItemsProcessed(state.iterations() * kPointCount);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

} // namespace

BENCHMARK_CAPTURE(writeBenchmark, orb, CoordFormat::Orb)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readBenchmark, orb, CoordFormat::Orb)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeBenchmark, south, CoordFormat::South)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readBenchmark, south, CoordFormat::South)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeBenchmark, topcon, CoordFormat::Topcon)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readBenchmark, topcon, CoordFormat::Topcon)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeBenchmark, idx, CoordFormat::Idx)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readBenchmark, idx, CoordFormat::Idx)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(writeBenchmark, csv, CoordFormat::Csv)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readBenchmark, csv, CoordFormat::Csv)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeBenchmark, landxml, CoordFormat::LandXml)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readBenchmark, landxml, CoordFormat::LandXml)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
