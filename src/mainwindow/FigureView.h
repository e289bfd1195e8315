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
    // A drag starts and ends: the left button pressed on the handle, then released.
    void pressed(int index);
    void released(int index);

  protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

  private:
    int index_;
};

// Picture2: the figure. Holds the persistent picture that the figure update draws and that the
// window shows, copies and prints, and the three mouse handles. The picture is drawn at the
// screen's pixel ratio, so that it stays sharp on a high-density screen.
//
// From the keyboard, the figure takes the focus like any control; Tab and Shift+Tab then select
// the object, L1 or L2 in turn (a dotted frame marks the selected one) before leaving the
// figure, and Left and Right ask to move the selected element by one unit of the precision, ten
// with Shift. The frame shows only once the user has come to the figure (a click, Tab, an arrow
// key): the focus the window hands it on activation leaves the picture as it is drawn.
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

    // The handle that the keyboard moves.
    int selectedHandle() const { return selected_; }
    void selectHandle(int index);
    // Whether the dotted frame of the selection is drawn.
    bool showsSelection() const { return hasFocus() && showSelection_; }

  signals:
    // The pointer moved over the figure itself (not a handle).
    void hovered();
    // Left or Right on the selected element: a move by `units` units of the precision. A key
    // held down repeats it; keyMoveEnded comes when the key is released.
    void keyMoved(int index, int units);
    void keyMoveEnded();
    // A right click on the figure, at that place on the screen.
    void contextMenuRequested(const QPoint &globalPos);

  protected:
    void paintEvent(QPaintEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void placeHandle(FigureHandle *handle, const QRectF &rect, bool visible);
    // The next visible handle after (or before) `from`; -1 past the last (or the first).
    int neighbourHandle(int from, bool next) const;
    void revealSelection();

    std::unique_ptr<ui::ImageSurface> surface_;
    QImage picture_;
    std::array<FigureHandle *, 3> handles_{};
    int selected_ = ObjectHandle;
    // The user came to the figure: its selection is shown while it has the focus.
    bool showSelection_ = false;
};

// The drag pointer of the handles: a horizontal double arrow.
QCursor dragCursor();

} // namespace mainwindow
