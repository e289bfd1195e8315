#include "ui/RecordingSurface.h"

namespace ui {

RecordingSurface::RecordingSurface(double width, double height) : width_(width), height_(height) {}

void RecordingSurface::clear(QRgb colour) {
    lines.clear();
    texts.clear();
    fills.clear();
    polygons.clear();
    background = colour;
    ++clearCount;
}

void RecordingSurface::line(float x1, float y1, float x2, float y2, QRgb colour, DashStyle style) {
    lines.push_back({x1, y1, x2, y2, colour, style});
}

void RecordingSurface::fillRect(float x, float y, float w, float h, QRgb colour) {
    fills.push_back({x, y, w, h, colour});
}

void RecordingSurface::fillPolygon(const QPolygonF &outline, const std::vector<ColourStop> &stops) {
    polygons.push_back({outline, stops});
}

void RecordingSurface::setFont(const QString &family, double pointSize) {
    family_ = family;
    pointSize_ = pointSize;
}

void RecordingSurface::setFontBold(bool bold) {
    bold_ = bold;
}

void RecordingSurface::text(float x, float y, const QString &t, QRgb colour) {
    texts.push_back({x, y, t, colour, family_, pointSize_, bold_});
}

double RecordingSurface::textWidth(const QString &t) const {
    return CharWidth * double(t.size());
}

double RecordingSurface::textHeight(const QString &) const {
    return TextHeight;
}

} // namespace ui
