#include "measure/graph/ConjugationGraph.h"

#include "bench/FieldNumberText.h"
#include "measure/ConjugationFit.h"
#include "measure/MeasureTexts.h"
#include "ui/ImageSurface.h"
#include "ui/PainterSurface.h"
#include "ui/PdfSurface.h"
#include "ui/SvgSurface.h"

#include <QBuffer>

#include <algorithm>
#include <cmath>
#include <optional>

namespace measure {

namespace {

constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb FrameGrey = qRgb(128, 128, 128);
constexpr QRgb GridGrey = qRgb(225, 225, 225);
constexpr QRgb PointBlue = GraphPointColour;
constexpr QRgb FitRed = GraphFitColour;
const QString Font = QStringLiteral("Arial");
constexpr double LabelSize = 8, TitleSize = 9;
constexpr double LineHeight = 14;
constexpr int CrossArm = 3;
// Points of the curve of the fit across the plot's width, in views 2 and 3.
constexpr int CurveSamples = 400;

struct Point {
    double x, y;
};

struct ViewTexts {
    QString title, xTitle, yTitle;
};

ViewTexts viewTexts(GraphView view) {
    switch (view) {
    case GraphView::Inverses:
        return {QStringLiteral("1/OA' en fonction de 1/OA"), QStringLiteral("1/OA (m⁻¹)"),
                QStringLiteral("1/OA' (m⁻¹)")};
    case GraphView::Distances:
        return {QStringLiteral("OA' en fonction de OA"), QStringLiteral("OA (cm)"),
                QStringLiteral("OA' (cm)")};
    case GraphView::Magnification:
        break;
    }
    return {QStringLiteral("γ en fonction de OA"), QStringLiteral("OA (cm)"), QStringLiteral("γ")};
}

std::vector<Point> graphPoints(const GraphContent &c) {
    std::vector<Point> points;
    if (!c.rows) return points;
    for (const Measurement &m : *c.rows) {
        if (m.lens != c.lens) continue;
        switch (c.view) {
        case GraphView::Inverses:
            if (const auto x = m.inverseObject(), y = m.inverseImage(); x && y)
                points.push_back({*x, *y});
            break;
        case GraphView::Distances:
            points.push_back({m.objectDistance, m.imageDistance});
            break;
        case GraphView::Magnification:
            points.push_back({m.objectDistance, m.magnification});
            break;
        }
    }
    return points;
}

// The curve of the fit in a view, at an abscissa of the plot: none at a pole.
std::optional<double> fitAt(const ConjugationFit &fit, GraphView view, double x) {
    switch (view) {
    case GraphView::Inverses:
        return fit.inverseImageAt(x);
    case GraphView::Distances:
        return fit.imageDistanceAt(x);
    case GraphView::Magnification:
        break;
    }
    return fit.magnificationAt(x);
}

// Maps the values of the plot to drawing units.
class Plot {
  public:
    Plot(double left, double top, double right, double bottom, RoundAxis x, RoundAxis y)
        : left_(left), top_(top), right_(right), bottom_(bottom), x_(x), y_(y) {}

    double sx(double x) const {
        return left_ + (x - x_.low) / (x_.high - x_.low) * (right_ - left_);
    }
    double sy(double y) const {
        return bottom_ - (y - y_.low) / (y_.high - y_.low) * (bottom_ - top_);
    }

    // A segment between two points of values, cut to the plot.
    void segment(ui::DrawingSurface &s, Point a, Point b, QRgb colour) const {
        double x1 = sx(a.x), y1 = sy(a.y), x2 = sx(b.x), y2 = sy(b.y);
        if (ui::clipSegment(x1, y1, x2, y2, left_, top_, right_, bottom_))
            s.line(float(x1), float(y1), float(x2), float(y2), colour, ui::DashStyle::Solid);
    }

    double left_, top_, right_, bottom_;
    RoundAxis x_, y_;
};

template <typename Each> void eachGraduation(const RoundAxis &axis, Each each) {
    const int count = int(std::lround((axis.high - axis.low) / axis.step));
    for (int i = 0; i <= count; ++i)
        each(axis.low + i * axis.step);
}

QString graduationText(double v, const RoundAxis &axis) {
    return bench::formatFixed(v, axis.decimals(), 15);
}

void drawAxes(ui::DrawingSurface &s, const Plot &p) {
    const float l = float(p.left_), r = float(p.right_), t = float(p.top_), b = float(p.bottom_);
    eachGraduation(p.x_, [&](double v) {
        const float x = float(std::round(p.sx(v)));
        s.line(x, t, x, b, GridGrey, ui::DashStyle::Solid);
    });
    eachGraduation(p.y_, [&](double v) {
        const float y = float(std::round(p.sy(v)));
        s.line(l, y, r, y, GridGrey, ui::DashStyle::Solid);
    });
    s.line(l, t, r, t, FrameGrey, ui::DashStyle::Solid);
    s.line(l, b, r, b, FrameGrey, ui::DashStyle::Solid);
    s.line(l, t, l, b, FrameGrey, ui::DashStyle::Solid);
    s.line(r, t, r, b, FrameGrey, ui::DashStyle::Solid);
    // The axes through the origin, which every range holds.
    const float x0 = float(std::round(p.sx(0))), y0 = float(std::round(p.sy(0)));
    s.line(x0, t, x0, b, Black, ui::DashStyle::Solid);
    s.line(l, y0, r, y0, Black, ui::DashStyle::Solid);

    s.setFont(Font, LabelSize);
    s.setFontBold(false);
    eachGraduation(p.x_, [&](double v) {
        const QString text = graduationText(v, p.x_);
        s.text(float(std::round(p.sx(v) - s.textWidth(text) / 2)), b + 3, text, Black);
    });
    eachGraduation(p.y_, [&](double v) {
        const QString text = graduationText(v, p.y_);
        s.text(float(std::round(p.left_ - 4 - s.textWidth(text))),
               float(std::round(p.sy(v) - s.textHeight(text) / 2)), text, Black);
    });
}

void drawFitCurve(ui::DrawingSurface &s, const Plot &p, const ConjugationFit &fit, GraphView view) {
    if (view == GraphView::Inverses) {
        p.segment(s, {p.x_.low, fit.inverseImageAt(p.x_.low)},
                  {p.x_.high, fit.inverseImageAt(p.x_.high)}, FitRed);
        return;
    }
    // OA' and γ are hyperbolas of OA: the curve is broken where 1/OA' changes sign (the image
    // goes through infinity) and where OA does (the object goes through the lens).
    std::optional<Point> previous;
    double previousInverse = 0;
    for (int i = 0; i <= CurveSamples; ++i) {
        const double x = p.x_.low + (p.x_.high - p.x_.low) * i / CurveSamples;
        const std::optional<double> y = fitAt(fit, view, x);
        const double inverse = x != 0 ? fit.inverseImageAt(100 / x) : 0;
        if (!y || !std::isfinite(*y)) {
            previous.reset();
            continue;
        }
        const Point here{x, *y};
        if (previous && (inverse > 0) == (previousInverse > 0) && (x > 0) == (previous->x > 0))
            p.segment(s, *previous, here, FitRed);
        previous = here;
        previousInverse = inverse;
    }
}

void drawCross(ui::DrawingSurface &s, double x, double y) {
    const float cx = float(std::round(x)), cy = float(std::round(y));
    s.line(cx - CrossArm, cy, cx + CrossArm, cy, PointBlue, ui::DashStyle::Solid);
    s.line(cx, cy - CrossArm, cx, cy + CrossArm, PointBlue, ui::DashStyle::Solid);
}

} // namespace

int RoundAxis::decimals() const {
    return std::max(0, -int(std::floor(std::log10(step) + 1e-9)));
}

RoundAxis roundAxis(double low, double high) {
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    if (!std::isfinite(low) || !std::isfinite(high)) return {};
    if (high - low <= 0) {
        const double half = std::max(std::fabs(low) * 0.1, 1.0);
        low -= half;
        high += half;
    }
    const double raw = (high - low) / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * magnitude;
    for (double m : {1.0, 2.0, 5.0}) {
        if (m * magnitude >= raw * (1 - 1e-9)) {
            step = m * magnitude;
            break;
        }
    }
    RoundAxis axis;
    axis.step = step;
    axis.low = std::floor(low / step + 1e-9) * step;
    axis.high = std::ceil(high / step - 1e-9) * step;
    return axis;
}

void drawGraph(const GraphContent &content, ui::DrawingSurface &s) {
    s.beginFigure();
    s.clear(White);
    const double left = ui::DrawingSurface::Left, top = ui::DrawingSurface::Top;
    const double width = s.width(), height = s.height();
    const ViewTexts texts = viewTexts(content.view);
    const std::vector<Point> points = graphPoints(content);
    const std::optional<ConjugationFit> fit =
        content.rows ? fitConjugation(*content.rows, content.lens) : std::nullopt;

    s.setFont(Font, TitleSize);
    s.setFontBold(true);
    const QString title = texts.title + QStringLiteral(" — lentille L%1").arg(content.lens);
    s.text(float(std::round(left + (width - s.textWidth(title)) / 2)), float(top + 4), title,
           Black);

    double xLow = 0, xHigh = 0, yLow = 0, yHigh = 0;
    for (const Point &pt : points) {
        xLow = std::min(xLow, pt.x);
        xHigh = std::max(xHigh, pt.x);
        yLow = std::min(yLow, pt.y);
        yHigh = std::max(yHigh, pt.y);
    }
    if (points.empty()) xLow = yLow = -10, xHigh = yHigh = 10;
    const RoundAxis xAxis = roundAxis(xLow, xHigh), yAxis = roundAxis(yLow, yHigh);

    // The plot's margins: the widest graduation on the left, the axis titles above and below,
    // the results of the fit at the bottom.
    s.setFont(Font, LabelSize);
    s.setFontBold(false);
    double labelWidth = 0;
    eachGraduation(yAxis, [&](double v) {
        labelWidth = std::max(labelWidth, s.textWidth(graduationText(v, yAxis)));
    });
    const int resultLines = fit ? 4 : 1;
    const double plotLeft = std::round(left + labelWidth + 10);
    const double plotRight = std::round(left + width - 14);
    const double plotTop = std::round(top + 4 + 2 * LineHeight + 4);
    const double plotBottom =
        std::round(top + height - 6 - resultLines * LineHeight - 2 * LineHeight - 4);
    if (plotRight - plotLeft < 20 || plotBottom - plotTop < 20) {
        s.endFigure();
        return;
    }
    const Plot plot(plotLeft, plotTop, plotRight, plotBottom, xAxis, yAxis);
    drawAxes(s, plot);
    s.text(float(std::round(left + 4)), float(plotTop - LineHeight - 2), texts.yTitle, Black);
    s.text(float(std::round(plotRight - s.textWidth(texts.xTitle))),
           float(plotBottom + LineHeight + 2), texts.xTitle, Black);

    if (fit) drawFitCurve(s, plot, *fit, content.view);
    for (const Point &pt : points)
        drawCross(s, plot.sx(pt.x), plot.sy(pt.y));

    s.setFont(Font, LabelSize);
    s.setFontBold(false);
    QStringList results;
    if (fit)
        results = fitLines(*fit);
    else if (points.empty())
        results << QStringLiteral("Aucune mesure avec L%1 : Ctrl+M ou « Série automatique… ».")
                       .arg(content.lens);
    else
        results << QStringLiteral("Il faut deux mesures à des OA différents pour la droite.");
    double y = plotBottom + 2 * LineHeight + 6;
    for (const QString &line : results) {
        s.text(float(std::round(left + 8)), float(y), line, Black);
        y += LineHeight;
    }
    s.endFigure();
}

QImage graphPicture(const GraphContent &content, int width, int height, qreal pixelRatio) {
    ui::ImageSurface surface(width, height, pixelRatio);
    drawGraph(content, surface);
    return surface.image();
}

QByteArray graphFileBytes(const GraphContent &content, bench::FigureFormat format, int width,
                          int height) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QString title = QStringLiteral("Focalines - mesures");
    switch (format) {
    case bench::FigureFormat::Svg: {
        ui::SvgSurface surface(&buffer, width, height, title);
        drawGraph(content, surface);
        break;
    }
    case bench::FigureFormat::Pdf: {
        ui::PdfSurface surface(&buffer, width, height, title);
        drawGraph(content, surface);
        break;
    }
    case bench::FigureFormat::Png:
        if (!graphPicture(content, width, height).save(&buffer, "PNG")) return {};
        break;
    case bench::FigureFormat::Jpeg:
        if (!graphPicture(content, width, height).save(&buffer, "JPEG", 95)) return {};
        break;
    }
    buffer.close();
    return buffer.data();
}

} // namespace measure
