#include "MainWindowFixture.h"

#include <QAbstractButton>
#include <QFile>
#include <QSettings>
#include <QTest>

void startApplication(const QByteArray &screenConfig) {
    if (QApplication::instance()) return;
    if (!screenConfig.isEmpty()) {
        static QTemporaryDir configDir;
        const QString path = configDir.filePath(QStringLiteral("screens.json"));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write(screenConfig);
        f.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + path.toLocal8Bit());
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "test_main_window";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
    // The settings the windows keep (the zoom) go to a folder of the test's own.
    static QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
}

QByteArray oneScreen(int width, int height, double pixelRatio) {
    return QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1,
        "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": %3}]})")
        .arg(width)
        .arg(height)
        .arg(pixelRatio)
        .toUtf8();
}

void MainWindowTest::SetUp() {
    ASSERT_TRUE(programDir.isValid());
    window = std::make_unique<mainwindow::MainWindow>(
        mainwindow::MainWindow::Options{programDir.path() + QLatin1Char('/')});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void MainWindowTest::TearDown() {
    window.reset();
}

void MainWindowTest::answerNextMessageBox(QMessageBox::StandardButton button) {
    answerMessageBox(button, 200);
}

void MainWindowTest::answerMessageBox(QMessageBox::StandardButton button, int attempts) {
    QTimer::singleShot(10, [this, button, attempts] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            if (attempts > 0) answerMessageBox(button, attempts - 1);
            return;
        }
        answeredBoxes << box->windowTitle() + QLatin1Char('|') + box->text();
        if (button == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Return);
        else
            box->button(button)->click();
    });
}

void MainWindowTest::typeAndEnter(int field, const QString &keys) {
    mainwindow::FieldEdit *edit = text1(*window, field);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, keys);
    QTest::keyClick(edit, Qt::Key_Return);
}
