#include "mainwindow/MainWindow.h"
#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // Qt's own dialogs and buttons speak French.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    mainwindow::MainWindow window({ui::programDirectory()});
    // For timing the start: report the end of the first activation and leave.
    if (qEnvironmentVariableIsSet("FOCALINES_REPORT_START"))
        QObject::connect(&window, &mainwindow::MainWindow::activated, &app, [] {
            std::fputs("activated\n", stdout);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    window.show();
    // A configuration given on the command line (a file manager opening a ".P09" file).
    const QStringList arguments = app.arguments();
    if (arguments.size() > 1) window.openConfiguration(arguments.at(1));
    return app.exec();
}
