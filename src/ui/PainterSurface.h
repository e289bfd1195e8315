#pragma once

#include "ui/DrawingSurface.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <optional>

class QPaintDevice;

namespace ui {

// A drawing surface over any Qt paint device of width × height pixels, one pixel per drawing
// unit. Lines are drawn with a one-pixel cosmetic pen and no antialiasing, text without
// antialiasing, so a raster device receives exactly the pixels of the figure. The painter is
// opened on the first drawing call and stays open until endFigure().
class PainterSurface : public DrawingSurface {
  public:
    ~PainterSurface() override;

    double width() const override { return width_; }
    double height() const override { return height_; }

    // Paints a rectangle of the background colour over the whole surface.
    void clear(QRgb background) override;
    void line(float x1, float y1, float x2, float y2, QRgb colour, DashStyle style) override;
    void fillRect(float x, float y, float width, float height, QRgb colour) override;
    void fillPolygon(const QPolygonF &outline, const std::vector<ColourStop> &stops) override;

    void setFont(const QString &family, double pointSize) override;
    void setFontBold(bool bold) override;
    void text(float x, float y, const QString &text, QRgb colour) override;
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;

    void beginFigure() override { painter(); }
    void endFigure() override { endPainting(); }

  protected:
    // The device must stay alive as long as the surface; derived classes attach it in their
    // constructor.
    PainterSurface(int width, int height);
    void attach(QPaintDevice *device) { device_ = device; }
    // Draws through `painter`, already open on its device and kept open by its owner, the
    // drawing units mapped onto `target` (the painter's coordinates) and clipped to it. Lines
    // are one unit wide and texts measured as on a picture at 96 dots per inch, whatever the
    // device's resolution, so the figure is the same, drawn at that resolution.
    void paintThrough(QPainter *painter, const QRectF &target);

    // The open painter, mapped to drawing units.
    QPainter &painter();
    void endPainting();

  private:
    const QFontMetrics &metrics() const;

    QPaintDevice *device_ = nullptr;
    int width_;
    int height_;
    QPainter painter_;
    // The painter drawing now: painter_, or the one given to paintThrough.
    QPainter *active_ = nullptr;
    QPainter *outside_ = nullptr;
    QRectF outsideTarget_;
    // Device pixels per drawing unit for the width of lines; the device's pixel ratio unless
    // drawing through a painter of another resolution.
    qreal unitPixels_ = 0;
    // The point size of the texts drawn, against the one they are measured at.
    qreal fontScale_ = 1;
    QFont font_;
    bool fontChanged_ = true;
    // The pen last given to the painter, so that a run of lines in one colour sets it once.
    bool penSet_ = false;
    QRgb penColour_ = 0;
    DashStyle penStyle_ = DashStyle::Solid;
    mutable std::optional<QFontMetrics> metrics_;
};

// Clips the segment to the rectangle [left, right] × [top, bottom]. Returns false when nothing
// of it lies inside. Used before handing far-off coordinates to the painter, whose fixed-point
// rasteriser does not take them.
bool clipSegment(double &x1, double &y1, double &x2, double &y2, double left, double top,
                 double right, double bottom);

} // namespace ui
