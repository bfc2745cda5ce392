// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's plan of a million points. Target (Release): a repaint after
// the first paint within 50 ms, whether the view moved (everything drawn
// again) or not.

#include "gui/editor/PlanView.h"
#include "gui/editor/PointTableModel.h"

#include <QApplication>
#include <QItemSelectionModel>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPoints = 1000000;

struct Plan
{
    PointTableModel model;
    QItemSelectionModel selection{&model};
    PlanView *view = nullptr;

    Plan()
    {
        model.beginBulkLoad();
        PointRecord p;
        for (int i = 0; i < kPoints; ++i) {
            p.name = QStringLiteral("P%1").arg(i + 1);
            p.easting = QString::number(500000.0 + (i % 1000) * 0.731 + (i / 1000) * 0.013, 'f', 3);
            p.northing = QString::number(3400000.0 + (i / 1000) * 0.587, 'f', 3);
            p.elevation = QString::number(40.0 + (i % 97) * 0.1, 'f', 3);
            model.append(p);
        }
        model.endBulkLoad();
        view = new PlanView(&model, &selection);
        view->resize(1000, 700);
        view->show();
        QApplication::processEvents();
        view->repaint(); // the first paint
    }
    ~Plan() { delete view; }
};

Plan &plan()
{
    static Plan p;
    return p;
}

void BM_PlanRepaintAfterPan(benchmark::State &state)
{
    Plan &p = plan();
    double step = 1;
    for (auto _ : state) {
        // A moved view draws every point again.
        p.view->viewport().panBy(QPointF(step, 0));
        step = -step;
        p.view->redraw();
        p.view->repaint();
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_PlanRepaintAfterSelection(benchmark::State &state)
{
    Plan &p = plan();
    int row = 0;
    for (auto _ : state) {
        p.selection.select(p.model.index(row, 0),
                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        row = (row + 7919) % kPoints;
        p.view->repaint();
    }
}

void BM_PlanRepaintUnchanged(benchmark::State &state)
{
    Plan &p = plan();
    for (auto _ : state)
        p.view->repaint();
}

} // namespace

BENCHMARK(BM_PlanRepaintAfterPan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanRepaintAfterSelection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanRepaintUnchanged)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
