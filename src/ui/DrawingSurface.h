#pragma once

#include <QPolygonF>
#include <QRgb>
#include <QString>

#include <vector>

namespace ui {

enum class DashStyle { Solid, Dotted };

// A colour at a drawing abscissa, for a fill whose colour changes from left to right.
struct ColourStop {
    double x;
    QRgb colour;
};

// The figure of the main window at its design size, in drawing units.
constexpr int DesignFigureWidth = 775;
constexpr int DesignFigureHeight = 265;

// The surface the figure of the bench is drawn on, in drawing units: one unit is one pixel
// at 96 dots per inch, x grows to the right from the left edge at x = -10, y grows
// downwards from the top edge at y = 4. Coordinates are single-precision numbers; the figure
// passes integers except for the barbs of its arrowheads.
//
// Like the drawing control of the old desktop toolkit, the surface keeps its current font between
// figures: the figure sets the family, size and weight separately and may rely on what an earlier
// figure left.
class DrawingSurface {
  public:
    static constexpr float Left = -10;
    static constexpr float Top = 4;

    virtual ~DrawingSurface() = default;

    // Size of the surface in drawing units.
    virtual double width() const = 0;
    virtual double height() const = 0;

    // Paints the whole surface in the background colour.
    virtual void clear(QRgb background) = 0;
    // A one-unit line; both end points are drawn.
    virtual void line(float x1, float y1, float x2, float y2, QRgb colour, DashStyle style) = 0;
    virtual void fillRect(float x, float y, float width, float height, QRgb colour) = 0;

    // Whether the surface keeps what is drawn as shapes (a vector drawing, a printed page) rather
    // than as pixels. A beam is then one filled polygon, which stays smooth however enlarged;
    // on pixels it is drawn stroke by stroke.
    virtual bool keepsShapes() const { return false; }
    // Fills the polygon without outline, its colour changing along x from stop to stop and
    // holding the end stops' colours beyond them. Drawn only on a surface that keeps shapes.
    virtual void fillPolygon(const QPolygonF &outline, const std::vector<ColourStop> &stops) = 0;

    virtual void setFont(const QString &family, double pointSize) = 0;
    virtual void setFontBold(bool bold) = 0;
    // Text in the current font with the top left corner of its cell at (x, y).
    virtual void text(float x, float y, const QString &text, QRgb colour) = 0;
    virtual double textWidth(const QString &text) const = 0;
    virtual double textHeight(const QString &text) const = 0;

    // A figure is drawn between these calls; a surface may hold resources open in between.
    virtual void beginFigure() {}
    virtual void endFigure() {}
};

} // namespace ui
