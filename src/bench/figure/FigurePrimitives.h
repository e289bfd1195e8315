#pragma once

#include "ui/DrawingSurface.h"

#include <QRgb>
#include <QString>

namespace bench {

// Drawing ordinate of the optical axis.
constexpr double AxisY = 135;

constexpr QRgb NonExistentRayColour = qRgb(255, 0, 0); // palette colour 12
constexpr QRgb WhiteBackgroundBeamColour = qRgb(200, 230, 250);

// The colours of the figure on its black or white background.
struct FigurePalette {
    QRgb background;
    QRgb foreground; // axis, graduation, lens symbols, focus marks and their labels
    QRgb object;     // object and images with their labels
    QRgb ray;        // construction rays
    bool white;

    static FigurePalette forBackground(bool white);
};

// [v] for a drawing coordinate: v taken to the nearest integer, halves to even. The figure
// keeps its coordinates within the range of a 32-bit integer: farther values (an image near
// infinity) are held at the ends of that range, and a value that is not a number becomes 0.
double drawingCoordinate(double v);

// A straight line of the bench in centimetres: height = a × abscissa + b.
struct BenchLine {
    double a = 0;
    double b = 0;
    double heightAt(double abscissa) const { return a * abscissa + b; }
};

// droite: the line through two points. Two points of the same abscissa give the slope 1000000,
// a near-vertical line.
BenchLine droite(double x1, double y1, double x2, double y2);

// The same line in drawing units, for a scale of `drawScale` units per centimetre.
struct DrawingLine {
    double slope = 0;
    double intercept = 0;
    // [intercept + slope × X], the drawing ordinate at the drawing abscissa X.
    double ordinateAt(double x) const { return drawingCoordinate(intercept + slope * x); }
};
DrawingLine toDrawing(const BenchLine &line, float drawScale);

// tracerayon: a ray segment from (xdep, ydep) to (xarr, yarr) in `colour` and `style` with, when
// `placerapp` is not 0, an arrowhead pointing towards the arrival at that fraction of the segment.
void tracerayon(ui::DrawingSurface &surface, double xdep, double ydep, double xarr, double yarr,
                ui::DashStyle style, float placerapp, QRgb colour);

// gradu: main and minor ticks of the axis with their figures, and the caption telling the unit.
// Sets the surface's font to "Arial" 8 points bold.
void gradu(ui::DrawingSurface &surface, int axisLength, QRgb colour);

// The symbols of the figure. `lensNumber` is 1 or 2 when the figure has two lenses (the labels
// then carry it as a subscript) and 0 otherwise.
void drawLensSymbol(ui::DrawingSurface &surface, double x, double halfHeight, int lensNumber,
                    QRgb colour);
void drawObjectSymbol(ui::DrawingSurface &surface, double x, double height, QRgb colour);

struct ImageSymbol {
    double x = 0; // drawing abscissa of the foot
    double y = 0; // drawing ordinate of the tip
    bool realImageOfL1 = false;
    bool dottedStem = false;
    QString tipLabel;  // "B'" or "B"
    QString footLabel; // "A'" or "A"
    QString subscript; // "1", "2" or empty
};
void drawImageSymbol(ui::DrawingSurface &surface, const ImageSymbol &image, QRgb colour);

void drawFocusMark(ui::DrawingSurface &surface, double x, bool imageFocus, int lensNumber,
                   QRgb colour);

// The warning about the rays drawn in red, near the top right corner.
void drawWarning(ui::DrawingSurface &surface);
QString warningText();

} // namespace bench
