#include "exercises/ExerciseMenu.h"
#include "mainwindow/MainWindow.h"
#include "ui/ProgramDirectory.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

const char *const UsageText =
    "Usage : focalines [FICHIER]\n"
    "\n"
    "Focalines, simulateur d'optique géométrique : un objet et une ou deux lentilles\n"
    "minces convergentes sur un banc d'optique, leurs images, les faisceaux et les\n"
    "rayons de construction.\n"
    "\n"
    "  FICHIER        ouvre au démarrage une configuration (.P09) ou un exercice (.E21)\n"
    "  -h, --help     affiche cette aide et quitte\n"
    "  -v, --version  affiche la version et quitte\n"
    "\n"
    "Le banc sans fenêtre : focalines-cli --help\n";

// The options every program answers without opening a window. Returns true when one was
// answered.
bool answerInformationOption(int argc, char *argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(UsageText, stdout);
            return true;
        }
        if (!std::strcmp(argv[i], "--version") || !std::strcmp(argv[i], "-v")) {
            std::fputs("Focalines " FOCALINES_VERSION "\n", stdout);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char *argv[]) {
    if (answerInformationOption(argc, argv)) return 0;
    // A file-size limit makes a save fail with a message rather than end the program and lose
    // the bench and the text.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    // Where the program's settings (the zoom) are kept: ~/.config/Aldoria/Focalines.conf.
    QCoreApplication::setOrganizationName(QStringLiteral("Aldoria"));
    QCoreApplication::setApplicationName(QStringLiteral("Focalines"));
    // Qt's own dialogs and buttons, and the help window's search, speak French.
    QTranslator qtTranslator;
    QTranslator helpTranslator;
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qtTranslator.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                          translations))
        app.installTranslator(&qtTranslator);
    if (helpTranslator.load(QLocale(QLocale::French), QStringLiteral("qt_help"),
                            QStringLiteral("_"), translations))
        app.installTranslator(&helpTranslator);

    mainwindow::MainWindow window({ui::programDirectory()});
    // For timing the start: report the end of the first activation and leave.
    // The window's title follows, so that a test sees which file was opened.
    if (qEnvironmentVariableIsSet("FOCALINES_REPORT_START"))
        QObject::connect(&window, &mainwindow::MainWindow::activated, &app, [&window] {
            std::printf("activated %s\n", qPrintable(window.windowTitle()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    window.show();
    // A configuration or an exercise given on the command line (a file manager opening it).
    const QStringList arguments = app.arguments();
    if (arguments.size() > 1) {
        const QString file = arguments.at(1);
        if (QFileInfo(file).suffix().compare(QStringLiteral("E21"), Qt::CaseInsensitive) == 0)
            window.exerciseMenu()->openExerciseFile(file);
        else
            window.openConfiguration(file);
    }
    return app.exec();
}
