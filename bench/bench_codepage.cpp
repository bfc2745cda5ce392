// SPDX-License-Identifier: GPL-3.0-or-later
// Short texts through the ANSI code page, as readers and writers convert
// names: pure ASCII (the usual case) and Chinese.
#include "core/text/CodePage.h"

#include <benchmark/benchmark.h>

namespace {

void BM_DecodeAsciiName(benchmark::State &state)
{
    const CodePage page = CodePage::byName("GBK");
    const QByteArray name("STATION42");
    for (auto _ : state)
        benchmark::DoNotOptimize(page.decode(name));
    state.SetItemsProcessed(state.iterations());
}

void BM_EncodeAsciiName(benchmark::State &state)
{
    const CodePage page = CodePage::byName("GBK");
    const QString name = QStringLiteral("STATION42");
    for (auto _ : state)
        benchmark::DoNotOptimize(page.encode(name));
    state.SetItemsProcessed(state.iterations());
}

void BM_DecodeChineseName(benchmark::State &state)
{
    const CodePage page = CodePage::byName("GBK");
    const QByteArray name = page.encode(QStringLiteral("导线点12"));
    for (auto _ : state)
        benchmark::DoNotOptimize(page.decode(name));
    state.SetItemsProcessed(state.iterations());
}

void BM_EncodeLatinName(benchmark::State &state)
{
    const CodePage page = CodePage::byName("CP1252");
    const QString name = QStringLiteral("Böschung-7");
    for (auto _ : state)
        benchmark::DoNotOptimize(page.encode(name));
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_DecodeAsciiName);
BENCHMARK(BM_EncodeAsciiName);
BENCHMARK(BM_DecodeChineseName);
BENCHMARK(BM_EncodeLatinName);
BENCHMARK_MAIN();
