#include "bench/figure/FigureLayout.h"

#include <algorithm>
#include <cmath>

namespace bench {

FigureLayout layoutFigure(const BenchState &state, const ImageWork &w, double width,
                          double height) {
    FigureLayout f;
    f.width = width;
    f.height = height;
    f.scale = state.drawScale;
    f.arrow = state.options[PropagationArrows] ? float(state.arrowPositionTenths) / 10.0f : 0.0f;
    f.twoLenses = state.options[TwoLenses];
    f.atInfinity = state.objectAtInfinity;
    f.colours = FigurePalette::forBackground(state.options[WhiteBackground]);

    f.x1 = w.x1;
    f.x2 = w.x2;
    f.f1 = w.f1;
    f.f2 = w.f2;
    f.xA = w.xA;
    f.h = w.h;
    f.p1 = w.p1;
    f.d1 = state.value(Lens1Diameter);
    f.image1Position = state.image1Position;
    f.image1Height = state.image1Height;
    f.image2Position = state.image2Position;
    f.image2Height = state.image2Height;

    // The L2 position is drawn as its field gives it; the nudge only serves the optics.
    f.XA = f.abscissa(w.xA);
    f.X1 = f.abscissa(w.x1);
    f.X2 = f.abscissa(state.value(Lens2Position));
    f.HB = drawingCoordinate(double(w.h) * f.scale);
    f.YB = AxisY - f.HB;
    f.R1 = drawingCoordinate(f.d1 * f.scale);

    // L2 is drawn tall enough to receive the beam that leaves L1: the lines from the edges of L1
    // to B1, and from the top edge to A1.
    f.d2 = state.value(Lens2Diameter);
    if (f.twoLenses) {
        const double reach[3] = {
            droite(f.x1, f.d1, f.image1Position, f.image1Height).heightAt(f.x2),
            droite(f.x1, -f.d1, f.image1Position, f.image1Height).heightAt(f.x2),
            droite(f.x1, f.d1, f.image1Position, 0).heightAt(f.x2),
        };
        for (double r : reach)
            f.d2 = std::max(f.d2, std::fabs(r));
    }
    f.R2 = drawingCoordinate(f.d2 * f.scale);

    f.XA1 = drawingCoordinate(f.scale * w.q1 + f.X1);
    f.YB1 = f.ordinate(f.image1Height);
    f.XA2 = drawingCoordinate(f.scale * w.q2 + f.X2);
    f.YB2 = f.ordinate(f.image2Height);
    f.XEND = f.twoLenses ? f.X2 : drawingCoordinate(width);
    return f;
}

} // namespace bench
