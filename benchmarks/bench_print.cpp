// Times printing the heaviest figure into a PDF: `focalines-cli print` with 1 and 40 copies,
// the same program doing nothing but start (`--help`), and, inside this process, the painting
// of the pages into a PDF held in memory, its identical objects then shared as the program writes
// it. The counter `bytes` is the size of the PDF written; `qtBytes`, that of Qt's own document.
// Medians: --benchmark_repetitions=9 --benchmark_report_aggregates_only=true.

#include "HeaviestBench.h"
#include "bench/figure/FigureUpdate.h"
#include "config/ConfigurationFile.h"
#include "printing/FigurePages.h"
#include "printing/PdfFile.h"
#include "ui/ImageSurface.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QTemporaryDir *workDir = nullptr;

QString heaviestConfiguration() {
    const QString path = workDir->filePath(QStringLiteral("lourde.P09"));
    if (!QFileInfo::exists(path)) config::saveConfiguration(heaviestBench(), path);
    return path;
}

bool runCli(const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral(FOCALINES_CLI), args);
    return p.waitForFinished(30000) && p.exitCode() == 0;
}

void cliStartOnly(benchmark::State &st) {
    for (auto _ : st)
        if (!runCli({QStringLiteral("--help")})) st.SkipWithError("focalines-cli failed");
}

void cliPrint(benchmark::State &st) {
    const QString pdf = workDir->filePath(QStringLiteral("pages.pdf"));
    const QStringList args{QStringLiteral("print"),    heaviestConfiguration(),
                           QStringLiteral("--output"), pdf,
                           QStringLiteral("--copies"), QString::number(st.range(0))};
    for (auto _ : st)
        if (!runCli(args)) st.SkipWithError("focalines-cli print failed");
    st.counters["bytes"] = double(QFileInfo(pdf).size());
}

void paintPagesInMemory(benchmark::State &st) {
    bench::BenchState s = heaviestBench();
    ui::ImageSurface surface(775, 265);
    bench::majaff(s, surface);
    const QImage figure = surface.image();
    printing::PrintSettings settings;
    settings.copies = int(st.range(0));
    qint64 bytes = 0, shared = 0;
    for (auto _ : st) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            if (!printing::paintFigurePages(writer, figure, settings))
                st.SkipWithError("painting failed");
        }
        bytes = buffer.size();
        shared = printing::shareIdenticalObjects(buffer.data()).size();
    }
    st.counters["qtBytes"] = double(bytes);
    st.counters["bytes"] = double(shared);
}

} // namespace

BENCHMARK(cliStartOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(cliPrint)->Arg(1)->Arg(40)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(paintPagesInMemory)->Arg(1)->Arg(40)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    workDir = &dir;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
