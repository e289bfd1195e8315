#pragma once

#include "mainwindow/FieldEdit.h"
#include "mainwindow/FigureView.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Panel.h"
#include "mainwindow/TabStrip.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

// The main window's controls, found by their control names.
inline mainwindow::FieldEdit *text1(const QWidget &w, int i) {
    return w.findChild<mainwindow::FieldEdit *>(QStringLiteral("Text1_%1").arg(i));
}
inline QCheckBox *check1(const QWidget &w, int i) {
    return w.findChild<QCheckBox *>(QStringLiteral("Check1_%1").arg(i));
}
inline QCheckBox *check2(const QWidget &w) {
    return child<QCheckBox>(w, "Check2");
}
inline QScrollBar *hscroll(const QWidget &w, int n) {
    return w.findChild<QScrollBar *>(QStringLiteral("HScroll%1").arg(n));
}
inline QPushButton *command3(const QWidget &w, int i) {
    return w.findChild<QPushButton *>(QStringLiteral("Command3_%1").arg(i));
}
inline QPushButton *commandp(const QWidget &w, int i) {
    return w.findChild<QPushButton *>(QStringLiteral("Commandp_%1").arg(i));
}
// Label1, Label2 and Label4.
inline QLabel *label(const QWidget &w, int n) {
    return w.findChild<QLabel *>(QStringLiteral("Label%1").arg(n));
}
inline QLabel *label3(const QWidget &w, int i) {
    return w.findChild<QLabel *>(QStringLiteral("Label3_%1").arg(i));
}
inline QLabel *info(const QWidget &w) {
    return child<QLabel>(w, "info");
}
inline QToolButton *commandButton(const QWidget &w, const QString &name) {
    return w.findChild<QToolButton *>(name);
}
inline QLineEdit *fich(const QWidget &w) {
    return child<QLineEdit>(w, "fich");
}
inline QTextEdit *supertext(const QWidget &w) {
    return child<QTextEdit>(w, "supertext");
}
inline mainwindow::FigureView *figure(const QWidget &w) {
    return child<mainwindow::FigureView>(w, "Picture2");
}
inline mainwindow::TabStrip *onglets(const QWidget &w) {
    return child<mainwindow::TabStrip>(w, "Onglets");
}
inline mainwindow::Panel *panel(const QWidget &w, int tab) {
    return w.findChild<mainwindow::Panel *>(QStringLiteral("Panel%1").arg(tab));
}

// Starts the application once for the whole test program. `screenConfig` is an offscreen
// platform configuration (a JSON file's content) or empty for the platform's default screen.
void startApplication(const QByteArray &screenConfig);
// An offscreen platform configuration with one screen of that size at 96 dots per inch, and
// that many device pixels per pixel.
QByteArray oneScreen(int width, int height, double pixelRatio = 1);

// A main window over a program directory of its own, so that its hand-over file is private.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Answers the next message box with `button`, or with the Enter key as a hurried user does
    // when `button` is NoButton, and records its title and text.
    void answerNextMessageBox(QMessageBox::StandardButton button);

    void answerMessageBox(QMessageBox::StandardButton button, int attempts);

    // Types into a field as the keyboard would, then validates it with Enter.
    void typeAndEnter(int field, const QString &keys);

    QTemporaryDir programDir;
    std::unique_ptr<mainwindow::MainWindow> window;
    QStringList answeredBoxes; // "title|text" of each box answered
};
