// Times the measurements window: a measurement added to a table of 200 rows with the graph of
// its 200 points redrawn, and an automatic series of 200 steps, in the real window (offscreen)
// and in the model alone; beside them, in the same run, the figure update of the main window
// (the default bench and the heaviest one), which a measurement never runs.

#include "HeaviestBench.h"
#include "bench/BenchControls.h"
#include "bench/figure/FigureUpdate.h"
#include "measure/MeasureSeries.h"
#include "measure/graph/ConjugationGraph.h"
#include "measure/window/MeasureWindow.h"
#include "ui/ImageSurface.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Points = 200;
// The series the table starts with: 199 steps, so that a measurement makes 200 points.
const measure::SeriesPlan Before{0, 14, Points - 1, 1};
const measure::SeriesPlan Series{0, 14, Points, 1};

// The default bench read at a thousandth of a centimetre: no step of the series falls exactly in
// the focal plane (which would ask the user about it) and no two steps read the same.
bench::BenchState measuredBench() {
    bench::BenchState s = bench::BenchState::startup();
    bench::selectPrecision(s, 2);
    return s;
}

std::unique_ptr<measure::MeasureWindow> shownWindow(const bench::BenchState &bench) {
    auto window = std::make_unique<measure::MeasureWindow>([bench] { return bench; });
    window->show();
    QApplication::processEvents();
    return window;
}

// "Ajouter la mesure" on a table of 199 rows: the measurement, the table's row, the graph of 200
// points drawn again. The row is taken away again outside the timing.
void windowAddRowAndRedraw(benchmark::State &st) {
    const bench::BenchState bench = measuredBench();
    auto window = shownWindow(bench);
    window->runSeries(Before);
    auto *table = window->findChild<QTableView *>(QStringLiteral("tableau"));
    for (auto _ : st) {
        window->addMeasurement();
        st.PauseTiming();
        table->selectRow(int(window->rows().size()) - 1);
        window->deleteSelectedRows();
        st.ResumeTiming();
    }
    st.counters["points"] = double(window->rows().size() + 1);
}

// The same without the widgets: the measurement and the graph drawn into a picture of the
// window's graph size.
void modelAddRowAndRedraw(benchmark::State &st) {
    const bench::BenchState bench = measuredBench();
    measure::ReadingError none;
    std::vector<measure::Measurement> rows = measure::runSeries(bench, Before, none).rows;
    ui::ImageSurface surface(420, 400);
    for (auto _ : st) {
        rows.push_back(std::get<measure::Measurement>(measure::takeMeasurement(bench, 1, none)));
        measure::drawGraph({&rows, 1, measure::GraphView::Inverses}, surface);
        benchmark::DoNotOptimize(surface.image().constBits());
        rows.pop_back();
    }
}

// "Série automatique…" of 200 steps into an empty window: the measurements, 200 rows, one graph.
void windowSeries(benchmark::State &st) {
    const bench::BenchState bench = measuredBench();
    for (auto _ : st) {
        st.PauseTiming();
        auto window = shownWindow(bench);
        st.ResumeTiming();
        window->runSeries(Series);
        st.PauseTiming();
        window.reset();
        st.ResumeTiming();
    }
}

void modelSeries(benchmark::State &st) {
    const bench::BenchState bench = measuredBench();
    for (auto _ : st) {
        measure::ReadingError error(0.5, 7);
        benchmark::DoNotOptimize(measure::runSeries(bench, Series, error).rows.data());
    }
}

void figureUpdate(benchmark::State &st, const bench::BenchState &start) {
    ui::ImageSurface surface(ui::DesignFigureWidth, ui::DesignFigureHeight);
    bench::BenchState s = start;
    for (auto _ : st)
        benchmark::DoNotOptimize(bench::majaff(s, surface).drawn);
}

} // namespace

BENCHMARK(windowAddRowAndRedraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(modelAddRowAndRedraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(windowSeries)->Unit(benchmark::kMicrosecond);
BENCHMARK(modelSeries)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(figureUpdate, defaultBench, bench::BenchState::startup())
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(figureUpdate, heaviestBench, heaviestBench())->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
