#include "ui/PainterSurface.h"

#include <QImage>
#include <QLinearGradient>
#include <QPaintDevice>
#include <QPen>

#include <cmath>

namespace ui {

namespace {

// Beyond this distance from the surface, in drawing units, a line is clipped before it reaches
// the painter. Lines of the figure nearer than that are passed as they are, so that their
// pixels are exactly those the painter gives for the stated end points.
constexpr double FarAway = 20000;

bool farOff(double v) {
    return !(std::fabs(v) < FarAway);
}

} // namespace

bool clipSegment(double &x1, double &y1, double &x2, double &y2, double left, double top,
                 double right, double bottom) {
    // Liang-Barsky.
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const double ox = x1, oy = y1;
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
    x2 = ox + t1 * dx;
    y2 = oy + t1 * dy;
    return true;
}

PainterSurface::PainterSurface(int width, int height) : width_(width), height_(height) {
    font_.setStyleStrategy(QFont::NoAntialias);
    font_.setHintingPreference(QFont::PreferFullHinting);
    setFont(QStringLiteral("Arial"), 8);
}

PainterSurface::~PainterSurface() = default;

namespace {

// Texts are measured on a picture at 96 dots per inch, as the window's figure is.
QPaintDevice *measuringDevice() {
    static QImage picture = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return &picture;
}

} // namespace

void PainterSurface::paintThrough(QPainter *painter, const QRectF &target) {
    outside_ = painter;
    outsideTarget_ = target;
    device_ = measuringDevice();
    unitPixels_ = target.width() / width_;
    // A point size is resolved at the painter's device's resolution and then scaled with the
    // drawing units: the size given there is that of the picture's texts.
    fontScale_ = qreal(device_->logicalDpiY()) / painter->device()->logicalDpiY();
}

QPainter &PainterSurface::painter() {
    if (!active_) {
        if (outside_) {
            active_ = outside_;
            active_->save();
            active_->translate(outsideTarget_.topLeft());
            active_->scale(outsideTarget_.width() / width_, outsideTarget_.height() / height_);
        } else {
            painter_.begin(device_);
            active_ = &painter_;
        }
        active_->setRenderHint(QPainter::Antialiasing, false);
        active_->setRenderHint(QPainter::TextAntialiasing, false);
        active_->translate(-Left, -Top);
        if (outside_) active_->setClipRect(QRectF(Left, Top, width_, height_), Qt::IntersectClip);
        fontChanged_ = true;
        penSet_ = false;
    }
    return *active_;
}

void PainterSurface::endPainting() {
    if (!active_) return;
    if (active_ == &painter_)
        painter_.end();
    else
        active_->restore();
    active_ = nullptr;
}

void PainterSurface::clear(QRgb background) {
    fillRect(Left, Top, float(width_), float(height_), background);
}

void PainterSurface::line(float x1, float y1, float x2, float y2, QRgb colour, DashStyle style) {
    double ax = x1, ay = y1, bx = x2, by = y2;
    if (farOff(ax) || farOff(ay) || farOff(bx) || farOff(by)) {
        if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by))
            return;
        const double margin = 16;
        if (!clipSegment(ax, ay, bx, by, Left - margin, Top - margin, Left + width_ + margin,
                         Top + height_ + margin))
            return;
    }
    QPainter &p = painter();
    if (!penSet_ || penColour_ != colour || penStyle_ != style) {
        QPen pen{QColor::fromRgb(colour)};
        // One drawing unit wide: one pixel, or as many as a unit spans on a dense device.
        pen.setCosmetic(true);
        pen.setWidthF(unitPixels_ > 0 ? unitPixels_ : device_->devicePixelRatio());
        pen.setStyle(style == DashStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
        p.setPen(pen);
        penSet_ = true;
        penColour_ = colour;
        penStyle_ = style;
    }
    p.drawLine(QLineF(ax, ay, bx, by));
}

void PainterSurface::fillRect(float x, float y, float width, float height, QRgb colour) {
    painter().fillRect(QRectF(x, y, width, height), QColor::fromRgb(colour));
}

void PainterSurface::fillPolygon(const QPolygonF &outline, const std::vector<ColourStop> &stops) {
    if (outline.size() < 3 || stops.empty()) return;
    QBrush brush{QColor::fromRgb(stops.front().colour)};
    const double from = stops.front().x, to = stops.back().x;
    if (stops.size() > 1 && to > from) {
        QLinearGradient gradient(from, 0, to, 0);
        for (const ColourStop &stop : stops)
            gradient.setColorAt((stop.x - from) / (to - from), QColor::fromRgb(stop.colour));
        brush = QBrush(gradient);
    }
    QPainter &p = painter();
    p.setPen(Qt::NoPen);
    penSet_ = false;
    p.setBrush(brush);
    p.drawPolygon(outline);
    p.setBrush(Qt::NoBrush);
}

void PainterSurface::setFont(const QString &family, double pointSize) {
    font_.setFamily(family);
    font_.setPointSizeF(pointSize);
    fontChanged_ = true;
    metrics_.reset();
}

void PainterSurface::setFontBold(bool bold) {
    font_.setBold(bold);
    fontChanged_ = true;
    metrics_.reset();
}

const QFontMetrics &PainterSurface::metrics() const {
    if (!metrics_) metrics_.emplace(font_, device_);
    return *metrics_;
}

void PainterSurface::text(float x, float y, const QString &text, QRgb colour) {
    QPainter &p = painter();
    if (fontChanged_) {
        QFont drawn = font_;
        if (fontScale_ != 1) drawn.setPointSizeF(font_.pointSizeF() * fontScale_);
        p.setFont(drawn);
        fontChanged_ = false;
    }
    p.setPen(QColor::fromRgb(colour));
    penSet_ = false;
    // The cursor is the top of the text cell; the painter writes on the base line.
    p.drawText(QPointF(x, y + metrics().ascent()), text);
}

double PainterSurface::textWidth(const QString &text) const {
    return metrics().horizontalAdvance(text);
}

double PainterSurface::textHeight(const QString &) const {
    return metrics().height();
}

} // namespace ui
