// Times a drag of the lens L1 in the real main window: 1000 left-button mouse moves over its
// handle, each measured from the move event to the figure repainted on screen, in a window
// 1920 pixels wide with the heaviest figure, on an ordinary screen and on one of two device
// pixels per pixel. The offscreen platform stands for the screens. Prints the medians, the 90th
// percentiles and, measured in the same run, the median of the figure update alone, so the
// window's own share shows, and the cost of an undo.

#include "bench/BenchControls.h"
#include "bench/BenchHistory.h"
#include "bench/figure/FigureUpdate.h"
#include "mainwindow/FigureView.h"
#include "mainwindow/MainWindow.h"
#include "ui/ImageSurface.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
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

// The heaviest figure in a main window 1920 pixels wide on the given screen.
std::unique_ptr<mainwindow::MainWindow> heaviestWindow(const QString &programDir, QScreen *screen) {
    auto window = std::make_unique<mainwindow::MainWindow>(
        mainwindow::MainWindow::Options{programDir + QLatin1Char('/')});
    window->setScreen(screen);
    window->move(screen->geometry().topLeft());
    window->show();
    window->resize(WindowWidth, 700);
    QApplication::processEvents();
    using namespace bench;
    for (int o : {TwoLenses, BeamAll, RayParallel1, RayThroughO1, RayThroughF1, RayParallel2,
                  RayThroughO2, RayThroughF2, ExtendRays, PropagationArrows, GraduateAxis, ShowFoci,
                  ShowImages, ShowVirtualImages, ShowOutsideRays})
        window->findChild<QCheckBox *>(QStringLiteral("Check1_%1").arg(o))->setChecked(true);
    QApplication::processEvents();
    return window;
}

mainwindow::FigureView *figureOf(const mainwindow::MainWindow &window) {
    return window.findChild<mainwindow::FigureView *>(QStringLiteral("Picture2"));
}

// One drag gesture of Moves steps: each step from the move event to the figure repainted.
std::vector<double> timeDrag(mainwindow::MainWindow &window) {
    mainwindow::FigureView *figure = figureOf(window);
    QWidget *handle = figure->handle(mainwindow::FigureView::Lens1Handle);
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int i = 0; i < Moves; ++i) {
        // Back and forth between 10 and 30 cm: offsets from the handle's current place.
        const double targetCm = 10 + 20 * std::abs((i % 200) - 100) / 100.0;
        const double offset = targetCm * window.bench().drawScale - handle->x() -
                              ui::DrawingSurface::Left;
        const QPointF local(offset, 5);
        QMouseEvent move(QEvent::MouseMove, local, handle->mapToGlobal(local), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        timer.start();
        QApplication::sendEvent(handle, &move);
        figure->repaint();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return ms;
}

// The figure update alone, away from the window, at a pixel ratio.
std::vector<double> timeFigureUpdate(const mainwindow::MainWindow &window, qreal ratio) {
    bench::BenchState s = window.bench();
    ui::ImageSurface surface(figureOf(window)->width(), mainwindow::FigureView::FigureHeight,
                             ratio);
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int i = 0; i < Moves; ++i) {
        timer.start();
        bench::majaff(s, surface);
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return ms;
}

// Undo and redo in turn, each to the repainted figure, over a history of single steps.
std::vector<double> timeUndo(mainwindow::MainWindow &window) {
    mainwindow::FigureView *figure = figureOf(window);
    figure->setFocus();
    for (int i = 0; i < bench::BenchHistory::Limit; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(figure, &press);
        QApplication::sendEvent(figure, &release);
    }
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int i = 0; i < Moves; ++i) {
        timer.start();
        if ((i / 50) % 2 == 0)
            window.undo();
        else
            window.redo();
        figure->repaint();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return ms;
}

// The history's own share of an undo: taking a snapshot back and keeping the current bench.
std::vector<double> timeHistoryAlone(const bench::BenchState &state) {
    bench::BenchHistory history;
    bench::BenchState current = state;
    for (int i = 0; i < bench::BenchHistory::Limit; ++i) {
        bench::BenchState next = current;
        bench::moveBy(next, bench::Lens1Position, 1);
        history.record(current, next);
        current = next;
    }
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int i = 0; i < Moves; ++i) {
        timer.start();
        auto restored = (i / 50) % 2 == 0 ? history.undo(current) : history.redo(current);
        if (restored) current = std::move(*restored);
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return ms;
}

} // namespace

int main(int argc, char *argv[]) {
    // Two screens side by side: an ordinary one, and a high-density one of two device pixels
    // per pixel, so that both figures are measured in the same run.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile f(config);
    if (f.open(QIODevice::WriteOnly))
        f.write(R"({"screens": [
            {"name": "wide", "x": 0, "y": 0, "width": 1920, "height": 1080,
             "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
            {"name": "dense", "x": 1920, "y": 0, "width": 3840, "height": 2160,
             "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2}]})");
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    QScreen *wide = nullptr, *denseScreen = nullptr;
    for (QScreen *screen : QGuiApplication::screens())
        (screen->devicePixelRatio() > 1 ? denseScreen : wide) = screen;
    if (!wide || !denseScreen) {
        std::fprintf(stderr, "the offscreen platform did not give the two screens\n");
        return 1;
    }

    auto ordinary = heaviestWindow(dir.path(), wide);
    auto dense = heaviestWindow(dir.path(), denseScreen);
    const std::vector<double> drag1 = timeDrag(*ordinary), drag2 = timeDrag(*dense);

    const std::vector<double> majaffMs = timeFigureUpdate(*ordinary, 1);
    const std::vector<double> majaff2Ms = timeFigureUpdate(*ordinary, 2);
    const std::vector<double> undoMs = timeUndo(*ordinary);
    const std::vector<double> historyMs = timeHistoryAlone(ordinary->bench());

    const double d1 = median(drag1), d2 = median(drag2), update = median(majaffMs);
    std::printf("figure width %d, %d moves; dense screen ratio %.1f\n", figureOf(*ordinary)->width(),
                Moves, figureOf(*dense)->devicePixelRatioF());
    std::printf("move to repainted figure, ratio 1: median %.3f ms, 90th percentile %.3f ms\n", d1,
                percentile90(drag1));
    std::printf("move to repainted figure, ratio 2: median %.3f ms, 90th percentile %.3f ms\n", d2,
                percentile90(drag2));
    std::printf("ratio 2 / ratio 1:                %.2f\n", d2 / d1);
    std::printf("figure update alone, ratio 1:     median %.3f ms\n", update);
    std::printf("figure update alone, ratio 2:     median %.3f ms\n", median(majaff2Ms));
    std::printf("ratio drag / figure update:       %.2f\n", d1 / update);
    std::printf("undo or redo to repainted figure: median %.3f ms\n", median(undoMs));
    std::printf("undo or redo, history alone:      median %.4f ms\n", median(historyMs));
    return 0;
}
