// Times the figure update into the window's picture, and, as the floor it is measured against,
// clearing the same picture and drawing one vertical line per drawing unit of width (the cost
// of the beam fill alone).

#include "HeaviestBench.h"
#include "bench/figure/FigureUpdate.h"
#include "ui/ImageSurface.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

constexpr int Height = ui::DesignFigureHeight;

void majaffIntoPicture(benchmark::State &st) {
    const int width = int(st.range(0));
    ui::ImageSurface surface(width, Height);
    bench::BenchState s = heaviestBench();
    for (auto _ : st) {
        const bench::FigureResult r = bench::majaff(s, surface);
        benchmark::DoNotOptimize(r.drawn);
    }
    benchmark::DoNotOptimize(surface.image().constBits());
}

void clearAndVerticalLines(benchmark::State &st) {
    const int width = int(st.range(0));
    ui::ImageSurface surface(width, Height);
    const float left = ui::DrawingSurface::Left, top = ui::DrawingSurface::Top;
    const float bottom = top + Height - 1;
    for (auto _ : st) {
        surface.beginFigure();
        surface.clear(qRgb(0, 0, 0));
        for (int x = 0; x < width; ++x)
            surface.line(left + float(x), top, left + float(x), bottom, qRgb(100, 150, 200),
                         ui::DashStyle::Solid);
        surface.endFigure();
    }
    benchmark::DoNotOptimize(surface.image().constBits());
}

} // namespace

BENCHMARK(majaffIntoPicture)->Arg(ui::DesignFigureWidth)->Arg(1900)->Unit(benchmark::kMicrosecond);
BENCHMARK(clearAndVerticalLines)
    ->Arg(ui::DesignFigureWidth)
    ->Arg(1900)
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) {
    // Text needs a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
