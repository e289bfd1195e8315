// The main window on a screen narrower than its design: 800 × 600, centred, whatever the user
// does to its size.

#include "MainWindowFixture.h"

#include "mainwindow/FigureView.h"

#include <QScreen>

namespace {

class MainWindowNarrow : public MainWindowTest {
  protected:
    void SetUp() override {
        startApplication(oneScreen(800, 600));
        MainWindowTest::SetUp();
    }
};

TEST_F(MainWindowNarrow, KeepsEightHundredBySixHundredCentred) {
    ASSERT_LT(window->screen()->geometry().width(), mainwindow::MainWindow::NarrowScreenWidth);
    EXPECT_EQ(window->frameGeometry().size(), QSize(800, 600));
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(0, 0));
    window->resize(500, 300);
    QApplication::processEvents();
    EXPECT_EQ(window->frameGeometry().size(), QSize(800, 600));
    EXPECT_EQ(figure(*window)->width(), window->width() - 16);
}

} // namespace
