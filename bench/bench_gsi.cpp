// SPDX-License-Identifier: GPL-3.0-or-later
// GSI-16 reading and writing and the GSI-to-DXF run on 1,000,000 generated
// points, all in memory so that the disk does not enter the figures.
#include "core/coordfiles/GsiReader.h"
#include "core/coordfiles/GsiWriter.h"
#include "core/coordfiles/PointRecord.h"
#include "core/dxf/GsiToDxf.h"

#include <benchmark/benchmark.h>

#include <QBuffer>

namespace {

constexpr qsizetype kPoints = 1000000;

// A million rows without a million records in memory: rows repeat a set of
// varied points, each returned by value as the editor's model would.
class GeneratedPoints : public PointSource
{
public:
    GeneratedPoints()
    {
        for (int i = 0; i < 1024; ++i) {
            PointRecord p;
            p.number = QString::number(i + 1);
            p.name = QStringLiteral("P%1").arg(i * 37 % 100000);
            p.easting = QString::number(512345.678 + i * 13.371, 'f', 3);
            p.northing = QString::number(-4312345.123 - i * 7.913, 'f', 3);
            p.elevation = QString::number(123.456 + i % 97, 'f', 3);
            m_points.append(p);
        }
    }
    qsizetype pointCount() const override { return kPoints; }
    PointRecord point(qsizetype row) const override { return m_points[row % m_points.size()]; }

private:
    QVector<PointRecord> m_points;
};

// Keeps nothing but what a consumer would touch.
class CountingSink : public PointSink
{
public:
    void clear() override { m_count = 0; }
    void append(const PointRecord &point) override
    {
        ++m_count;
        benchmark::DoNotOptimize(point.elevation.size());
    }
    qsizetype m_count = 0;
};

// Swallows what is written, so the converter is measured and not the growth
// of an in-memory copy of a 150 MB drawing.
class NullDevice : public QIODevice
{
public:
    NullDevice() { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 length) override
    {
        m_written += length;
        return length;
    }

public:
    qint64 m_written = 0;
};

const QByteArray &gsi16File()
{
    static const QByteArray bytes = [] {
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        GsiWriter::write(buffer, GeneratedPoints(), GsiVariant::Gsi16, true);
        return out;
    }();
    return bytes;
}

void BM_Gsi16Read(benchmark::State &state)
{
    QByteArray bytes = gsi16File();
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CountingSink sink;
        GsiReader::read(buffer, sink);
        if (sink.m_count != kPoints)
            state.SkipWithError("wrong point count");
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_Gsi16ReadIntoList(benchmark::State &state)
{
    QByteArray bytes = gsi16File();
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        PointList list;
        list.points().reserve(kPoints);
        GsiReader::read(buffer, list);
        benchmark::DoNotOptimize(list.pointCount());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_Gsi16Write(benchmark::State &state)
{
    const GeneratedPoints points;
    QByteArray out;
    out.reserve(kPoints * 99);
    for (auto _ : state) {
        out.resize(0);
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        GsiWriter::write(buffer, points, GsiVariant::Gsi16, true);
        benchmark::DoNotOptimize(out.size());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
    state.SetBytesProcessed(state.iterations() * kPoints * 99);
}

void BM_GsiToDxf(benchmark::State &state)
{
    QByteArray bytes = gsi16File();
    for (auto _ : state) {
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        NullDevice out;
        GsiToDxf::convert(in, out);
        benchmark::DoNotOptimize(out.m_written);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

} // namespace

BENCHMARK(BM_Gsi16Read)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gsi16ReadIntoList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gsi16Write)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GsiToDxf)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
