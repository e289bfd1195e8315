#include "mainwindow/FigureView.h"

#include "ui/DrawingSurface.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace mainwindow {

namespace {

// Drawing units to the view's pixels: the surface's left edge is at Left, its top at Top.
QRect toPixels(const QRectF &r) {
    return QRectF(r.left() - ui::DrawingSurface::Left, r.top() - ui::DrawingSurface::Top, r.width(),
                  r.height())
        .toRect();
}

} // namespace

QCursor dragCursor() {
    static const QPixmap pixmap = [] {
        QPixmap pm(32, 32);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        // A horizontal double arrow with a short vertical bar: "move along the axis".
        QPainterPath arrow;
        arrow.moveTo(2, 16);
        arrow.lineTo(10, 8);
        arrow.lineTo(10, 13);
        arrow.lineTo(22, 13);
        arrow.lineTo(22, 8);
        arrow.lineTo(30, 16);
        arrow.lineTo(22, 24);
        arrow.lineTo(22, 19);
        arrow.lineTo(10, 19);
        arrow.lineTo(10, 24);
        arrow.closeSubpath();
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(Qt::white);
        p.drawPath(arrow);
        p.setPen(QPen(QColor(0, 0, 200), 2));
        p.drawLine(16, 4, 16, 28);
        return pm;
    }();
    return QCursor(pixmap, 16, 16);
}

FigureHandle::FigureHandle(int index, QWidget *parent) : QWidget(parent), index_(index) {
    setMouseTracking(true);
    setCursor(dragCursor());
    setAttribute(Qt::WA_TranslucentBackground);
}

void FigureHandle::mouseMoveEvent(QMouseEvent *event) {
    emit moved(index_, event->buttons(), event->position().x());
}

FigureView::FigureView(QWidget *parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    static const char *const names[] = {"AB", "L1", "L2"};
    for (int i = 0; i < 3; ++i) {
        handles_[i] = new FigureHandle(i, this);
        handles_[i]->setObjectName(QString::fromLatin1(names[i]));
    }
}

bench::FigureResult FigureView::redraw(bench::BenchState &state) {
    if (!surface_ || surface_->width() != width())
        surface_ = std::make_unique<ui::ImageSurface>(std::max(width(), 1), FigureHeight);
    bench::FigureResult result = bench::majaff(state, *surface_);
    if (result.drawn) {
        picture_ = surface_->image();
        placeHandle(handles_[ObjectHandle], result.objectHandle, true);
        placeHandle(handles_[Lens1Handle], result.lens1Handle, true);
        placeHandle(handles_[Lens2Handle], result.lens2Handle, result.lens2HandleVisible);
    }
    update();
    return result;
}

void FigureView::setPicture(const QImage &picture) {
    picture_ = picture;
    update();
}

void FigureView::placeHandle(FigureHandle *handle, const QRectF &rect, bool visible) {
    handle->drawingRect = rect;
    handle->setGeometry(toPixels(rect));
    handle->setVisible(visible);
}

void FigureView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(0, 0, picture_);
}

void FigureView::mouseMoveEvent(QMouseEvent *) {
    emit hovered();
}

} // namespace mainwindow
