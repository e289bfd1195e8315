#pragma once

#include "mainwindow/MainWindow.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

// Starts the application once for the whole test program. `screenConfig` is an offscreen
// platform configuration (a JSON file's content) or empty for the platform's default screen.
void startApplication(const QByteArray &screenConfig);
// An offscreen platform configuration with one screen of that size at 96 dots per inch.
QByteArray oneScreen(int width, int height);

// A main window over a program directory of its own, so that its hand-over file is private.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Answers the next message box with `button` and records its title and text.
    void answerNextMessageBox(QMessageBox::StandardButton button);

    void answerMessageBox(QMessageBox::StandardButton button, int attempts);

    QTemporaryDir programDir;
    std::unique_ptr<mainwindow::MainWindow> window;
    QStringList answeredBoxes; // "title|text" of each box answered
};
