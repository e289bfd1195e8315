// Times a drag of the lens L1 in the real main window: 1000 left-button mouse moves over its
// handle, each measured from the move event to the figure repainted on screen, in a window
// 1920 pixels wide with the heaviest figure. The offscreen platform stands for the screen.
// Prints the median, the 90th percentile and, measured in the same run, the median of the
// figure update alone, so the window's own share shows.

#include "bench/figure/FigureUpdate.h"
#include "mainwindow/FigureView.h"
#include "mainwindow/MainWindow.h"
#include "ui/ImageSurface.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Moves = 1000;
constexpr int WindowWidth = 1920;

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double percentile90(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() * 9 / 10];
}

} // namespace

int main(int argc, char *argv[]) {
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile f(config);
    if (f.open(QIODevice::WriteOnly))
        f.write(R"({"screens": [{"name": "wide", "x": 0, "y": 0, "width": 1920, "height": 1080,
                    "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);

    mainwindow::MainWindow window({dir.path() + QLatin1Char('/')});
    window.show();
    window.resize(WindowWidth, 700);
    QApplication::processEvents();
    using namespace bench;
    for (int o : {TwoLenses, BeamAll, RayParallel1, RayThroughO1, RayThroughF1, RayParallel2,
                  RayThroughO2, RayThroughF2, ExtendRays, PropagationArrows, GraduateAxis, ShowFoci,
                  ShowImages, ShowVirtualImages, ShowOutsideRays})
        window.findChild<QCheckBox *>(QStringLiteral("Check1_%1").arg(o))->setChecked(true);
    QApplication::processEvents();

    mainwindow::FigureView *figure =
        window.findChild<mainwindow::FigureView *>(QStringLiteral("Picture2"));
    QWidget *handle = figure->handle(mainwindow::FigureView::Lens1Handle);
    std::vector<double> dragMs, majaffMs;
    QElapsedTimer timer;
    for (int i = 0; i < Moves; ++i) {
        // Back and forth between 10 and 30 cm: offsets from the handle's current place.
        const double targetCm = 10 + 20 * std::abs((i % 200) - 100) / 100.0;
        const double offset = targetCm * window.bench().drawScale -
                              figure->handle(mainwindow::FigureView::Lens1Handle)->x() -
                              ui::DrawingSurface::Left;
        const QPointF local(offset, 5);
        QMouseEvent move(QEvent::MouseMove, local, handle->mapToGlobal(local), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        timer.start();
        QApplication::sendEvent(handle, &move);
        figure->repaint();
        dragMs.push_back(timer.nsecsElapsed() / 1e6);
    }

    bench::BenchState s = window.bench();
    ui::ImageSurface surface(figure->width(), mainwindow::FigureView::FigureHeight);
    for (int i = 0; i < Moves; ++i) {
        timer.start();
        bench::majaff(s, surface);
        majaffMs.push_back(timer.nsecsElapsed() / 1e6);
    }

    const double drag = median(dragMs), update = median(majaffMs);
    std::printf("figure width %d, %d moves\n", figure->width(), Moves);
    std::printf("move to repainted figure: median %.3f ms, 90th percentile %.3f ms\n", drag,
                percentile90(dragMs));
    std::printf("figure update alone:      median %.3f ms\n", update);
    std::printf("ratio drag / figure update: %.2f\n", drag / update);
    return 0;
}
