// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and saving a million-point GSI-16 file in the editor window.
// Targets (Release): open (read + grid filled + first paint) < 2 s with peak
// memory < 400 MB; Save as of the same grid < 1.5 s; a scroll-bar jump and its
// repaint well inside one frame; a typed cell and its undo, painted, < 50 ms;
// deleting 1,000 rows in the middle and undoing it < 50 ms; a row inserted at
// the top, the renumbered last rows painted, and its undo < 50 ms.

#include "gui/editor/EditorWindow.h"
#include "gui/editor/PointDocument.h"
#include "gui/editor/PointGridView.h"
#include "gui/editor/PointTableModel.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kPoints = 1000000;

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

QByteArray block(qint64 value)
{
    return QByteArray::number(value).rightJustified(16, '0');
}

// Writes the file line by line so generating it costs no memory of its own.
QString millionPointFile()
{
    static QString path;
    if (!path.isEmpty())
        return path;
    path = workDir().filePath(QStringLiteral("million.gsi"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    QByteArray line;
    for (int i = 0; i < kPoints; ++i) {
        line = "*110001+" + block(i + 1) + " 81..10+" + block(500000000 + qint64(i) * 7) +
               " 82..10+" + block(3400000000 + qint64(i) * 3) + " 83..10+" +
               block(12345 + i % 977) + " \r\n";
        file.write(line);
    }
    return path;
}

double peakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void BM_OpenMillionPointsAndPaint(benchmark::State &state)
{
    const QString path = millionPointFile();
    for (auto _ : state) {
        EditorWindow editor;
        editor.show();
        if (!editor.openFile(path))
            state.SkipWithError("the file was not read");
        const QPixmap painted = editor.grab();
        benchmark::DoNotOptimize(painted.cacheKey());
        state.PauseTiming();
        if (editor.pointModel()->rowCount() != kPoints)
            state.SkipWithError("wrong row count");
        editor.hide();
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = peakRssMegabytes();
}

void BM_SaveAsMillionPoints(benchmark::State &state)
{
    const QString path = millionPointFile();
    EditorWindow editor;
    if (!editor.openFile(path))
        state.SkipWithError("the file was not read");
    const QString out = workDir().filePath(QStringLiteral("saved.gsi"));
    for (auto _ : state) {
        if (!editor.saveAsFile(out, 1))
            state.SkipWithError("saving failed");
    }
    state.counters["peak_rss_MB"] = peakRssMegabytes();
}

// One jump of the scroll bar anywhere in the million rows and the repaint it
// needs: what dragging the thumb costs per frame.
void BM_ScrollMillionPoints(benchmark::State &state)
{
    const QString path = millionPointFile();
    EditorWindow editor;
    editor.show();
    if (!editor.openFile(path))
        state.SkipWithError("the file was not read");
    QScrollBar *bar = editor.grid()->verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        bar->setValue(int((qint64(step++) * 7919 * 104729) % (bar->maximum() + 1)));
        const QPixmap painted = editor.grid()->viewport()->grab();
        benchmark::DoNotOptimize(painted.cacheKey());
    }
}

// A cell typed and entered, then Ctrl+Z, each followed by the repaint the
// user waits for, in the middle of the million rows.
void BM_EditAndUndoMillionPoints(benchmark::State &state)
{
    const QString path = millionPointFile();
    EditorWindow editor;
    editor.show();
    if (!editor.openFile(path))
        state.SkipWithError("the file was not read");
    PointGridView *grid = editor.grid();
    const int row = kPoints / 2;
    grid->scrollTo(editor.pointModel()->index(row, 2));
    int step = 0;
    for (auto _ : state) {
        grid->doubleClickCell(row, 2);
        grid->cellEdit()->setText(QString::number(512345.678 + step++, 'f', 3));
        if (!grid->commitEdit())
            state.SkipWithError("the cell refused a number");
        benchmark::DoNotOptimize(grid->viewport()->grab().cacheKey());
        editor.document()->undoStack()->undo();
        benchmark::DoNotOptimize(grid->viewport()->grab().cacheKey());
    }
    state.counters["peak_rss_MB"] = peakRssMegabytes();
}

void BM_DeleteRowsAndUndoMillionPoints(benchmark::State &state)
{
    const QString path = millionPointFile();
    EditorWindow editor;
    editor.show();
    if (!editor.openFile(path))
        state.SkipWithError("the file was not read");
    QList<int> rows;
    for (int i = 0; i < 1000; ++i)
        rows.append(kPoints / 2 + i);
    for (auto _ : state) {
        editor.grid()->deleteRows(rows);
        editor.document()->undoStack()->undo();
        benchmark::DoNotOptimize(editor.grid()->viewport()->grab().cacheKey());
    }
}

// A row inserted above all million, at the end of the grid where every row
// shown has a new number, then the paint of the last rows; and its undo.
void BM_InsertAtTopMillionPoints(benchmark::State &state)
{
    const QString path = millionPointFile();
    EditorWindow editor;
    editor.show();
    if (!editor.openFile(path))
        state.SkipWithError("the file was not read");
    PointGridView *grid = editor.grid();
    grid->scrollToBottom();
    for (auto _ : state) {
        grid->insertRow(0);
        grid->scrollToBottom();
        benchmark::DoNotOptimize(grid->viewport()->grab().cacheKey());
        editor.document()->undoStack()->undo();
        benchmark::DoNotOptimize(grid->viewport()->grab().cacheKey());
    }
    if (editor.pointModel()->cellText(kPoints - 1, 0) != QString::number(kPoints))
        state.SkipWithError("the last row's number is wrong");
}

} // namespace

BENCHMARK(BM_InsertAtTopMillionPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditAndUndoMillionPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteRowsAndUndoMillionPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollMillionPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenMillionPointsAndPaint)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveAsMillionPoints)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
