#pragma once

#include "ui/DrawingSurface.h"

#include <vector>

namespace ui {

// A drawing surface that keeps what is drawn on it as a list of operations, for tests. Clearing
// forgets what was drawn, as on a picture. Text metrics are fixed and independent of any font:
// every character is CharWidth units wide and every text TextHeight units high.
class RecordingSurface : public DrawingSurface {
  public:
    static constexpr double CharWidth = 6;
    static constexpr double TextHeight = 12;

    struct Line {
        float x1, y1, x2, y2;
        QRgb colour;
        DashStyle style;
    };
    struct Text {
        float x, y;
        QString text;
        QRgb colour;
        QString family;
        double pointSize;
        bool bold;
    };
    struct Fill {
        float x, y, width, height;
        QRgb colour;
    };
    struct Polygon {
        QPolygonF outline;
        std::vector<ColourStop> stops;
    };

    explicit RecordingSurface(double width = DesignFigureWidth, double height = DesignFigureHeight);

    double width() const override { return width_; }
    double height() const override { return height_; }
    void clear(QRgb background) override;
    void line(float x1, float y1, float x2, float y2, QRgb colour, DashStyle style) override;
    void fillRect(float x, float y, float width, float height, QRgb colour) override;
    bool keepsShapes() const override { return shapes; }
    void fillPolygon(const QPolygonF &outline, const std::vector<ColourStop> &stops) override;
    void setFont(const QString &family, double pointSize) override;
    void setFontBold(bool bold) override;
    void text(float x, float y, const QString &text, QRgb colour) override;
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;

    // What the surface holds since it was last cleared.
    std::vector<Line> lines;
    std::vector<Text> texts;
    std::vector<Fill> fills;
    std::vector<Polygon> polygons;
    // Whether the surface stands for one that keeps shapes, such as a vector drawing.
    bool shapes = false;
    QRgb background = 0xff000000u;
    int clearCount = 0;

  private:
    double width_, height_;
    QString family_ = QStringLiteral("Arial");
    double pointSize_ = 8;
    bool bold_ = false;
};

} // namespace ui
