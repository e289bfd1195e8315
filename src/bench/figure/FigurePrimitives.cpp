#include "bench/figure/FigurePrimitives.h"

#include "bench/FieldNumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bench {

using ui::DashStyle;
using ui::DrawingSurface;

FigurePalette FigurePalette::forBackground(bool white) {
    if (white)
        return {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(0, 128, 128), qRgb(0, 0, 200), true};
    return {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 255, 0), qRgb(255, 255, 200), false};
}

double drawingCoordinate(double v) {
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    if (std::isnan(v)) return 0;
    return std::clamp(roundHalfEven(v), lowest, highest);
}

BenchLine droite(double x1, double y1, double x2, double y2) {
    BenchLine l;
    l.a = x2 == x1 ? 1000000.0 : (y2 - y1) / (x2 - x1);
    l.b = y1 - l.a * x1;
    return l;
}

DrawingLine toDrawing(const BenchLine &line, float drawScale) {
    // Heights grow upwards from the axis, drawing ordinates downwards from the top.
    return {-line.a, AxisY - drawScale * line.b};
}

void tracerayon(DrawingSurface &surface, double xdep, double ydep, double xarr, double yarr,
                DashStyle style, float placerapp, QRgb colour) {
    if (placerapp != 0) {
        const double dx = roundHalfEven(placerapp * (xarr - xdep));
        const double dy = roundHalfEven(placerapp * (yarr - ydep));
        const double tx = xdep + dx, ty = ydep + dy;
        // Q: 10 units back from the tip along the segment.
        double qx = tx, qy;
        if (dx != 0) {
            const double k = dy / dx;
            double u = 10 / std::sqrt(k * k + 1);
            if (dx < 0) u = -u;
            qx = tx - u;
            qy = ty - k * u;
        } else {
            qy = dy >= 0 ? ty - 10 : ty + 10;
        }
        // The barbs, 5 units either side of Q across the segment.
        if (dy != 0) {
            const double m = dx / dy;
            const double w = 5 / std::sqrt(m * m + 1);
            surface.line(float(tx), float(ty), float(qx + w), float(qy - m * w), colour, style);
            surface.line(float(tx), float(ty), float(qx - w), float(qy + m * w), colour, style);
        } else {
            const double back = dx >= 0 ? -10 : 10;
            surface.line(float(tx), float(ty), float(tx + back), float(ty - 5), colour, style);
            surface.line(float(tx), float(ty), float(tx + back), float(ty + 5), colour, style);
        }
    }
    surface.line(float(xdep), float(ydep), float(xarr), float(yarr), colour, style);
}

void gradu(DrawingSurface &surface, int axisLength, QRgb colour) {
    const int length = std::abs(axisLength);
    int n = QString::number(length).at(0).digitValue();
    if (n < 3) n *= 10;
    const int unit = length <= 200 ? 1 : 100;
    const double w = surface.width();
    const double step = n > 0 ? (w - 20) / n : 0;

    surface.setFont(QStringLiteral("Arial"), 8);
    surface.setFontBold(true);
    // A surface narrower than its margins has a single tick at 0.
    for (int i = 0; i == 0 || (step > 0 && i * step <= w - 19); ++i) {
        const double x = drawingCoordinate(i * step);
        surface.line(float(x), 130, float(x), 141, colour, DashStyle::Solid);
        const QString figure = formatGeneral(double(i) / unit * (double(length) / n));
        surface.text(float(x - surface.textWidth(figure) / 2), 118, figure, colour);
    }
    const double minorStep = step / 10;
    for (int i = 0; i == 0 || (minorStep > 0 && i * minorStep <= w - 19); ++i) {
        const double x = drawingCoordinate(i * minorStep);
        surface.line(float(x), 133, float(x), 138, colour, DashStyle::Solid);
    }
    const QString caption = unit == 1 ? QStringLiteral("L'axe optique est gradué en cm.")
                                      : QStringLiteral("L'axe optique est gradué en m.");
    surface.text(4, float(surface.height() - surface.textHeight(QStringLiteral("W")) - 2), caption,
                 colour);
}

namespace {

void solid(DrawingSurface &surface, double x1, double y1, double x2, double y2, QRgb colour) {
    surface.line(float(x1), float(y1), float(x2), float(y2), colour, DashStyle::Solid);
}

// A label followed by its subscript, printed 4 units lower right after the label's last
// character, less `backUp` units.
void labelWithSubscript(DrawingSurface &surface, double x, double y, const QString &label,
                        const QString &subscript, QRgb colour, double backUp = 0) {
    surface.text(float(x), float(y), label, colour);
    if (!subscript.isEmpty())
        surface.text(float(x + surface.textWidth(label) - backUp), float(y + 4), subscript, colour);
}

QString lensDigit(int lensNumber) {
    return lensNumber > 0 ? QString::number(lensNumber) : QString();
}

} // namespace

void drawLensSymbol(DrawingSurface &surface, double x, double r, int lensNumber, QRgb colour) {
    solid(surface, x, AxisY - r, x, AxisY + 1 + r, colour);
    solid(surface, x, AxisY - r, x + 4, 143 - r, colour);
    solid(surface, x, AxisY - r, x - 4, 143 - r, colour);
    solid(surface, x + 3, r + 128, x, r + 135, colour);
    solid(surface, x - 3, r + 128, x, r + 135, colour);
    // The lens digit stands on the line of "O" at y 143, four units below the label's 139.
    labelWithSubscript(surface, x + 4, 139, QStringLiteral("O"), lensDigit(lensNumber), colour);
}

void drawObjectSymbol(DrawingSurface &surface, double x, double h, QRgb colour) {
    solid(surface, x, AxisY - h, x, AxisY, colour);
    solid(surface, x, AxisY - h, x + 4, 143 - h, colour);
    solid(surface, x, AxisY - h, x - 4, 143 - h, colour);
    surface.text(float(x - 8), float(123 - h), QStringLiteral("B"), colour);
    surface.text(float(x - 8), 139, QStringLiteral("A"), colour);
}

void drawImageSymbol(DrawingSurface &surface, const ImageSymbol &im, QRgb colour) {
    const double x = im.x, y = im.y;
    surface.line(float(x), float(y), float(x), float(AxisY), colour,
                 im.dottedStem ? DashStyle::Dotted : DashStyle::Solid);
    // The arrowhead points away from the axis; the labels stand at the tip and at the foot.
    const bool pointsDown = im.realImageOfL1 || y > 134;
    const double barbY = pointsDown ? y - 8 : y + 8;
    solid(surface, x, y, x + 4, barbY, colour);
    solid(surface, x, y, x - 4, barbY, colour);
    double tipY, footX, footY;
    if (im.realImageOfL1) {
        tipY = y + 4;
        footX = x - 4;
        footY = 118;
    } else if (y > 134) {
        tipY = y + 2;
        footX = x - 4;
        footY = 118;
    } else {
        tipY = y - 14;
        footX = x - 8;
        footY = 139;
    }
    labelWithSubscript(surface, x - 4, tipY, im.tipLabel, im.subscript, colour);
    labelWithSubscript(surface, footX, footY, im.footLabel, im.subscript, colour);
}

void drawFocusMark(DrawingSurface &surface, double x, bool imageFocus, int lensNumber,
                   QRgb colour) {
    solid(surface, x - 3, AxisY, x + 4, AxisY, colour);
    solid(surface, x, 132, x, 139, colour);
    const QString label = imageFocus ? QStringLiteral("F'") : QStringLiteral("F");
    // Under the prime of F' rather than after it.
    const double backUp = imageFocus ? surface.textWidth(QStringLiteral("'")) : 0;
    labelWithSubscript(surface, x - 2, 139, label, lensDigit(lensNumber), colour, backUp);
}

QString warningText() {
    return QStringLiteral("Les rayons représentés en rouge n'existent pas.");
}

void drawWarning(DrawingSurface &surface) {
    const QString text = warningText();
    surface.text(float(surface.width() - 24 - surface.textWidth(text)), 6, text,
                 NonExistentRayColour);
}

} // namespace bench
