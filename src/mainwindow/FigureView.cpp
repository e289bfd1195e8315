#include "mainwindow/FigureView.h"

#include "ui/DrawingSurface.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QKeyEvent>
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

void FigureHandle::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) emit pressed(index_);
    // The figure behind takes the focus and the keyboard selection.
    event->ignore();
}

void FigureHandle::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) emit released(index_);
}

FigureView::FigureView(QWidget *parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Figure"));
    static const struct {
        const char *objectName, *accessibleName;
    } names[] = {{"AB", "Objet AB"}, {"L1", "Lentille L1"}, {"L2", "Lentille L2"}};
    for (int i = 0; i < 3; ++i) {
        handles_[i] = new FigureHandle(i, this);
        handles_[i]->setObjectName(QString::fromLatin1(names[i].objectName));
        handles_[i]->setAccessibleName(QString::fromUtf8(names[i].accessibleName));
        connect(handles_[i], &FigureHandle::pressed, this, &FigureView::selectHandle);
    }
}

bench::FigureResult FigureView::redraw(bench::BenchState &state) {
    const qreal ratio = devicePixelRatioF();
    QImage previous;
    if (!surface_ || surface_->width() != width() || picture_.devicePixelRatio() != ratio) {
        surface_ = std::make_unique<ui::ImageSurface>(std::max(width(), 1), FigureHeight, ratio);
        previous = picture_;
    }
    // The surface's picture is shared with the one shown until now: let it go before drawing,
    // so that the surface draws in place instead of copying the old picture first. Where the
    // figure draws nothing, the surface still holds that old picture.
    picture_ = QImage();
    bench::FigureResult result = bench::majaff(state, *surface_);
    picture_ = result.drawn || previous.isNull() ? surface_->image() : previous;
    if (result.drawn) {
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
    if (!visible && selected_ == handle->index()) selected_ = ObjectHandle;
}

void FigureView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    // White where the picture does not reach (before the first figure, or while the window
    // grows), the picture everywhere else.
    const QRect pictureRect(QPoint(0, 0), picture_.deviceIndependentSize().toSize());
    for (const QRect &r : QRegion(rect()).subtracted(pictureRect)) p.fillRect(r, Qt::white);
    p.drawImage(0, 0, picture_);
    if (showsSelection()) {
        // The keyboard's selection: a dotted frame in the colour opposite to the picture's.
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(QPen(Qt::white, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(handles_[selected_]->geometry().adjusted(0, 0, -1, -1));
    }
}

void FigureView::mouseMoveEvent(QMouseEvent *) {
    emit hovered();
}

void FigureView::mousePressEvent(QMouseEvent *event) {
    // The figure may hold the focus already, from the window's activation.
    revealSelection();
    QWidget::mousePressEvent(event);
}

void FigureView::revealSelection() {
    if (showSelection_) return;
    showSelection_ = true;
    update();
}

void FigureView::selectHandle(int index) {
    if (index < 0 || index > Lens2Handle || !handles_[index]->isVisibleTo(this)) return;
    selected_ = index;
    update();
    if (hasFocus()) {
        QAccessibleEvent focus(handles_[index], QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

int FigureView::neighbourHandle(int from, bool next) const {
    for (int i = from + (next ? 1 : -1); i >= ObjectHandle && i <= Lens2Handle; i += next ? 1 : -1)
        if (handles_[i]->isVisibleTo(this)) return i;
    return -1;
}

bool FigureView::focusNextPrevChild(bool next) {
    if (hasFocus() && !showSelection_) {
        // The focus came with the window's activation: Tab enters the figure as it would from
        // the control before it.
        selectHandle(next ? ObjectHandle : neighbourHandle(Lens2Handle + 1, false));
        revealSelection();
        return true;
    }
    if (hasFocus()) {
        if (const int i = neighbourHandle(selected_, next); i >= 0) {
            selectHandle(i);
            return true;
        }
    }
    return QWidget::focusNextPrevChild(next);
}

void FigureView::focusInEvent(QFocusEvent *event) {
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
        reason == Qt::BacktabFocusReason)
        showSelection_ = true;
    // Reached with Tab, the figure selects its first element; with Shift+Tab, its last.
    if (reason == Qt::TabFocusReason)
        selectHandle(ObjectHandle);
    else if (reason == Qt::BacktabFocusReason)
        selectHandle(neighbourHandle(Lens2Handle + 1, false));
    else
        selectHandle(selected_);
    QWidget::focusInEvent(event);
}

void FigureView::focusOutEvent(QFocusEvent *event) {
    // A key held while the focus leaves is never released here.
    emit keyMoveEnded();
    // Another window taking the activation is not the user leaving the figure.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        showSelection_ = false;
    update();
    QWidget::focusOutEvent(event);
}

void FigureView::keyPressEvent(QKeyEvent *event) {
    const int direction = event->key() == Qt::Key_Right ? 1 : event->key() == Qt::Key_Left ? -1 : 0;
    const Qt::KeyboardModifiers others = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (direction == 0 || others != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int units = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    revealSelection();
    emit keyMoved(selected_, direction * units);
}

void FigureView::keyReleaseEvent(QKeyEvent *event) {
    if ((event->key() == Qt::Key_Right || event->key() == Qt::Key_Left) && !event->isAutoRepeat())
        emit keyMoveEnded();
    QWidget::keyReleaseEvent(event);
}

void FigureView::contextMenuEvent(QContextMenuEvent *event) {
    emit contextMenuRequested(event->globalPos());
}

} // namespace mainwindow
