#include "bench/FigureUpdate.h"
#include "ui/ImageSurface.h"

#include <QApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QTranslator>

namespace {
// The figure at the size of the main window's drawing surface.
constexpr int FigureWidth = 775;
constexpr int FigureHeight = 265;
} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // Qt's own dialogs and buttons speak French.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    // Until the bench's own controls arrive, the window shows the start-up bench.
    bench::BenchState state = bench::BenchState::startup();
    ui::ImageSurface picture(FigureWidth, FigureHeight);
    bench::majaff(state, picture);
    auto *figure = new QLabel;
    figure->setPixmap(QPixmap::fromImage(picture.image()));
    figure->setAlignment(Qt::AlignCenter);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Focalines"));
    window.setCentralWidget(figure);
    window.resize(FigureWidth + 25, FigureHeight + 100);
    window.show();
    return app.exec();
}
