// The main window on a high-density screen (two device pixels per pixel): the figure is drawn at
// the screen's resolution, in the same place and at the same size as on an ordinary screen.

#include "MainWindowFixture.h"

#include "bench/figure/FigureExport.h"
#include "mainwindow/FigureView.h"

namespace {

class MainWindowDense : public MainWindowTest {
  protected:
    void SetUp() override {
        startApplication(oneScreen(1920, 1080, 2));
        MainWindowTest::SetUp();
    }
};

TEST_F(MainWindowDense, TheFigureIsDrawnAtTwicePixelsWithTheSameDrawing) {
    ASSERT_EQ(window->devicePixelRatioF(), 2);
    mainwindow::FigureView *view = figure(*window);
    const QImage picture = window->figurePicture();
    EXPECT_EQ(picture.devicePixelRatio(), 2);
    EXPECT_EQ(picture.size(), 2 * QSize(view->width(), mainwindow::FigureView::FigureHeight));
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), view->size());

    // The same picture as the one drawn away from the screen at that ratio, and the handles at
    // the same places as at one pixel per unit.
    bench::BenchState s = window->bench();
    EXPECT_EQ(picture, bench::figurePicture(s, view->width(), view->height(), 2));
    const QRectF l1 = view->handle(mainwindow::FigureView::Lens1Handle)->drawingRect;
    EXPECT_EQ(view->handle(mainwindow::FigureView::Lens1Handle)->geometry().left(),
              qRound(l1.left() - ui::DrawingSurface::Left));
}

} // namespace
