#include "bench/figure/BeamFill.h"

#include "bench/FieldNumberText.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace bench {

namespace {

constexpr double DesignUnitsPerPixel = 15;

// Fills the stretch [from, to] with one stroke per drawing unit, each from the lowest to the
// highest ordinate of the boundary lines at its abscissa.
void fillBetween(ui::DrawingSurface &surface, const FigureLayout &f,
                 std::initializer_list<DrawingLine> boundaries, double from, double to) {
    // The surface takes no stroke farther than a little beyond its edges; the strokes off the
    // surface would be clipped anyway.
    from = std::max(from, ui::DrawingSurface::Left - 2.0);
    to = std::min(to, f.width + 2.0);
    for (double x = from; x <= to; ++x) {
        double top = BeamClamp, bottom = -BeamClamp;
        for (const DrawingLine &line : boundaries) {
            const double y = std::clamp(line.ordinateAt(x), -BeamClamp, BeamClamp);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
        surface.line(float(x), float(top), float(x), float(bottom),
                     beamColour(bottom - top, f.height, f.colours.white), ui::DashStyle::Solid);
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
