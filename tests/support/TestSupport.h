#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QObject>
#include <QString>

#include <ostream>

// Starts one application of the given kind (QGuiApplication, QApplication) for the whole test
// program, on the offscreen platform unless QT_QPA_PLATFORM names another.
template <class Application> void ensureApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "focalines_test";
    static char *argv[] = {name, nullptr};
    static Application *app = new Application(argc, argv);
    (void)app;
}

// A control of a window, found by its control name (its objectName); null when there is none.
template <class Control> Control *child(const QObject &window, const char *name) {
    return window.findChild<Control *>(QString::fromLatin1(name));
}

// Readable failure messages for texts.
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

// A test's own file, written whole; false when it cannot be.
inline bool writeTestFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
// A file's bytes, or none when it cannot be read.
inline QByteArray readTestFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
