#include "bench/figure/BeamFill.h"

#include "bench/FieldNumberText.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace bench {

namespace {

constexpr double DesignUnitsPerPixel = 15;

// One stroke of a beam: its abscissa, its ordinates and its colour.
struct Stroke {
    double x, top, bottom;
    QRgb colour;
};

// The stroke at x: from the lowest to the highest ordinate of the boundary lines there.
Stroke strokeAt(const FigureLayout &f, std::initializer_list<DrawingLine> boundaries, double x) {
    double top = BeamClamp, bottom = -BeamClamp;
    for (const DrawingLine &line : boundaries) {
        const double y = std::clamp(line.ordinateAt(x), -BeamClamp, BeamClamp);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    return {x, top, bottom, beamColour(bottom - top, f.height, f.colours.white)};
}

// A boundary's ordinate at x before it is taken to a whole unit, held within the clamp.
double exactOrdinate(const DrawingLine &line, double x) {
    const double y = line.intercept + line.slope * x;
    return std::isnan(y) ? 0 : std::clamp(y, -BeamClamp, BeamClamp);
}

// The colours of the strokes from `from` to `to`, as few stops as keep every stroke's colour
// within one level of the straight run between its neighbouring stops.
std::vector<ui::ColourStop> colourStops(const FigureLayout &f,
                                        std::initializer_list<DrawingLine> boundaries, double from,
                                        double to) {
    std::vector<ui::ColourStop> strokes;
    for (double x = from; x <= to; ++x)
        strokes.push_back({x, strokeAt(f, boundaries, x).colour});
    const auto near = [](const ui::ColourStop &a, const ui::ColourStop &b,
                         const ui::ColourStop &c) {
        const double t = (c.x - a.x) / (b.x - a.x);
        const auto channel = [t](int u, int v, int w) {
            return std::fabs(u + t * (v - u) - w) <= 1;
        };
        return channel(qRed(a.colour), qRed(b.colour), qRed(c.colour)) &&
               channel(qGreen(a.colour), qGreen(b.colour), qGreen(c.colour)) &&
               channel(qBlue(a.colour), qBlue(b.colour), qBlue(c.colour));
    };
    std::vector<ui::ColourStop> stops{strokes.front()};
    size_t kept = 0;
    for (size_t next = 2; next < strokes.size(); ++next) {
        // The stop before `next` can go when the run from the last kept stop to `next` passes
        // near every stroke between them.
        bool straight = true;
        for (size_t i = kept + 1; i < next && straight; ++i)
            straight = near(strokes[kept], strokes[next], strokes[i]);
        if (!straight) {
            stops.push_back(strokes[next - 1]);
            kept = next - 1;
        }
    }
    if (strokes.size() > 1) stops.push_back(strokes.back());
    return stops;
}

// The beam from `from` to `to` as one polygon: the boundary lines themselves, not their whole
// units, widened by half a unit on every side as the strokes are, and its colour running
// through the colours of the strokes.
void fillAsPolygon(ui::DrawingSurface &surface, const FigureLayout &f,
                   std::initializer_list<DrawingLine> boundaries, double from, double to) {
    const double left = from - 0.5, right = to + 0.5;
    // The edges bend only where two boundaries cross or one reaches the clamp.
    std::vector<double> corners{left, right};
    const auto inside = [&](double x) {
        if (x > left && x < right) corners.push_back(x);
    };
    for (auto a = boundaries.begin(); a != boundaries.end(); ++a) {
        if (a->slope != 0) {
            inside((-BeamClamp - a->intercept) / a->slope);
            inside((BeamClamp - a->intercept) / a->slope);
        }
        for (auto b = a + 1; b != boundaries.end(); ++b)
            if (a->slope != b->slope) inside((b->intercept - a->intercept) / (a->slope - b->slope));
    }
    std::sort(corners.begin(), corners.end());
    QPolygonF top, bottom;
    for (double x : corners) {
        double high = BeamClamp, low = -BeamClamp;
        for (const DrawingLine &line : boundaries) {
            high = std::min(high, exactOrdinate(line, x));
            low = std::max(low, exactOrdinate(line, x));
        }
        top << QPointF(x, high - 0.5);
        bottom.prepend(QPointF(x, low + 0.5));
    }
    surface.fillPolygon(top + bottom, colourStops(f, boundaries, from, to));
}

// Fills the stretch [from, to] with one stroke per drawing unit, each from the lowest to the
// highest ordinate of the boundary lines at its abscissa; on a surface that keeps shapes, with
// one polygon.
void fillBetween(ui::DrawingSurface &surface, const FigureLayout &f,
                 std::initializer_list<DrawingLine> boundaries, double from, double to) {
    // The surface takes no stroke farther than a little beyond its edges; the strokes off the
    // surface would be clipped anyway.
    from = std::max(from, ui::DrawingSurface::Left - 2.0);
    to = std::min(to, f.width + 2.0);
    if (from > to) return;
    if (surface.keepsShapes()) {
        fillAsPolygon(surface, f, boundaries, from, to);
        return;
    }
    for (double x = from; x <= to; ++x) {
        const Stroke s = strokeAt(f, boundaries, x);
        surface.line(float(x), float(s.top), float(x), float(s.bottom), s.colour,
                     ui::DashStyle::Solid);
    }
}

} // namespace

QRgb beamColour(double length, double surfaceHeight, bool whiteBackground) {
    if (whiteBackground) return WhiteBackgroundBeamColour;
    if (length > 1999) return qRgb(0, 0, 45);
    const double darkening = length / (surfaceHeight * DesignUnitsPerPixel) * 200;
    const double r = std::max(0.0, roundHalfEven(155 - darkening));
    const double g = std::max(0.0, roundHalfEven(205 - darkening));
    const double b = std::max(45.0, roundHalfEven(255 - darkening));
    return qRgb(int(r), int(g), int(b));
}

void drawBeams(ui::DrawingSurface &surface, const BenchState &state, const FigureLayout &f) {
    enum Mode { FromB, FromA, All };
    Mode mode;
    if (state.options[BeamFromB])
        mode = FromB;
    else if (state.options[BeamFromA])
        mode = FromA;
    else if (state.options[BeamAll])
        mode = All;
    else
        return;

    const double x1 = f.x1, d1 = f.d1;
    const double i1 = f.image1Position, h1 = f.image1Height;

    // Incident boundaries, from the object to the edges of L1. An object at infinity sends
    // parallel light: rays from B along B → O1, rays from A along the axis.
    BenchLine upper, lower;
    if (f.atInfinity) {
        const double slopeBO = droite(f.xA, f.h, x1, 0).a;
        const BenchLine fromB[2] = {{slopeBO, d1 - slopeBO * x1}, {slopeBO, -d1 - slopeBO * x1}};
        const BenchLine fromA[2] = {{0, d1}, {0, -d1}};
        upper = mode == FromA ? fromA[0] : fromB[0];
        lower = mode == FromB ? fromB[1] : fromA[1];
    } else {
        const double sourceOfUpper = mode == FromA ? 0 : f.h;
        const double sourceOfLower = mode == FromB ? f.h : 0;
        upper = droite(f.xA, sourceOfUpper, x1, d1);
        lower = droite(f.xA, sourceOfLower, x1, -d1);
    }
    const double incidentFrom = f.atInfinity ? double(ui::DrawingSurface::Left) : f.XA;
    fillBetween(surface, f, {f.drawn(upper), f.drawn(lower)}, incidentFrom, f.X1);

    const double right = drawingCoordinate(f.width);
    if (mode == All) {
        // The beam leaving L1 is bounded by the lines from each edge to A1 and to B1.
        const BenchLine between[4] = {droite(x1, d1, i1, 0), droite(x1, d1, i1, h1),
                                      droite(x1, -d1, i1, 0), droite(x1, -d1, i1, h1)};
        if (!f.twoLenses) {
            fillBetween(surface, f, {f.drawn(between[0]), f.drawn(between[3])}, f.X1, f.XEND);
            return;
        }
        fillBetween(
            surface, f,
            {f.drawn(between[0]), f.drawn(between[1]), f.drawn(between[2]), f.drawn(between[3])},
            f.X1, f.XEND);
        // Its outermost rays at L2 bound the beam that L2 sends to A2 and B2.
        double top = between[0].heightAt(f.x2), bottom = top;
        for (const BenchLine &l : between) {
            top = std::max(top, l.heightAt(f.x2));
            bottom = std::min(bottom, l.heightAt(f.x2));
        }
        const double i2 = f.image2Position, h2 = f.image2Height;
        fillBetween(surface, f,
                    {f.drawn(droite(f.x2, top, i2, 0)), f.drawn(droite(f.x2, top, i2, h2)),
                     f.drawn(droite(f.x2, bottom, i2, 0)), f.drawn(droite(f.x2, bottom, i2, h2))},
                    f.X2, right);
        return;
    }

    // From B the light converges on B1 (then B2), from A on A1 (then A2).
    const double target1 = mode == FromB ? h1 : 0;
    const BenchLine up1 = droite(x1, d1, i1, target1), low1 = droite(x1, -d1, i1, target1);
    fillBetween(surface, f, {f.drawn(up1), f.drawn(low1)}, f.X1, f.XEND);
    if (!f.twoLenses) return;
    const double target2 = mode == FromB ? f.image2Height : 0;
    const double i2 = f.image2Position;
    fillBetween(surface, f,
                {f.drawn(droite(f.x2, up1.heightAt(f.x2), i2, target2)),
                 f.drawn(droite(f.x2, low1.heightAt(f.x2), i2, target2))},
                f.X2, right);
}

} // namespace bench
