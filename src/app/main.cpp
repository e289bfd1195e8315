#include "mainwindow/MainWindow.h"
#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // Qt's own dialogs and buttons speak French.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    mainwindow::MainWindow window({ui::programDirectory()});
    window.show();
    return app.exec();
}
