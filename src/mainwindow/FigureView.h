#pragma once

#include "bench/figure/FigureUpdate.h"
#include "ui/ImageSurface.h"

#include <QWidget>

#include <memory>

namespace mainwindow {

// A mouse handle laid over the figure (AB, L1, L2): transparent, with the drag pointer. It
// reports every movement over it, and every movement anywhere while a button pressed on it is
// held, with the buttons held and the pointer's offset from its left edge.
class FigureHandle : public QWidget {
    Q_OBJECT
  public:
    FigureHandle(int index, QWidget *parent);
    int index() const { return index_; }
    // The handle's place in the figure's drawing units.
    QRectF drawingRect;

  signals:
    void moved(int index, Qt::MouseButtons buttons, double offsetX);

  protected:
    void mouseMoveEvent(QMouseEvent *event) override;

  private:
    int index_;
};

// Picture2: the figure. Holds the persistent picture that the figure update draws and that the
// window shows, copies and prints, and the three mouse handles.
class FigureView : public QWidget {
    Q_OBJECT
  public:
    enum HandleIndex { ObjectHandle = 0, Lens1Handle = 1, Lens2Handle = 2 };
    static constexpr int FigureHeight = ui::DesignFigureHeight;

    explicit FigureView(QWidget *parent = nullptr);

    // majaff for this surface: redraws the picture for the bench at the view's width and moves
    // the handles over the elements.
    bench::FigureResult redraw(bench::BenchState &state);

    // The persistent picture as the last figure update left it.
    QImage picture() const { return picture_; }
    // Puts back a picture kept aside (while the help is open), without redrawing.
    void setPicture(const QImage &picture);
    FigureHandle *handle(int index) const { return handles_[index]; }

  signals:
    // The pointer moved over the figure itself (not a handle).
    void hovered();

  protected:
    void paintEvent(QPaintEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;

  private:
    void placeHandle(FigureHandle *handle, const QRectF &rect, bool visible);

    std::unique_ptr<ui::ImageSurface> surface_;
    QImage picture_;
    std::array<FigureHandle *, 3> handles_{};
};

// The drag pointer of the handles: a horizontal double arrow.
QCursor dragCursor();

} // namespace mainwindow
