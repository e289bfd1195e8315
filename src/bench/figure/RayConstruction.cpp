#include "bench/figure/RayConstruction.h"

#include <cmath>

namespace bench {

namespace {

using ui::DashStyle;

class RayConstruction {
  public:
    RayConstruction(ui::DrawingSurface &surface, const BenchState &state, const FigureLayout &f)
        : surface_(surface), state_(state), f_(f), right_(drawingCoordinate(f.width)) {}

    bool draw();

  private:
    bool on(Option o) const { return state_.options[o]; }
    // The ray through a focus is drawn only when the object does not stand in (or within 1 cm
    // of) the object focal plane of L1, where its image runs off to infinity.
    bool objectClearOfFocalPlane() const { return f_.atInfinity || std::fabs(f_.f1 + f_.p1) > 1; }

    // Picks the colour of the next ray; false when it must not be drawn.
    bool chooseColour(bool exists);
    // The ordinate of B from which a ray meeting L1 at the ordinate yLens starts. From an object
    // at infinity every ray arrives parallel to B → O1: B is moved by as much as the lens point
    // lies below the axis.
    double startOrdinate(double yLens) const { return f_.atInfinity ? yLens - f_.HB : f_.YB; }

    void solid(double x1, double y1, double x2, double y2) {
        tracerayon(surface_, x1, y1, x2, y2, DashStyle::Solid, f_.arrow, colour_);
    }
    void dotted(double x1, double y1, double x2, double y2) {
        tracerayon(surface_, x1, y1, x2, y2, DashStyle::Dotted, 0, colour_);
    }
    // The dotted extension of a line back to an image point (x, y) left of where the light
    // leaves the line, or to the left edge of the surface when the image lies beyond it.
    void extendBack(const DrawingLine &line, double imageX, double imageY, double toX, double toY) {
        if (imageX < ui::DrawingSurface::Left)
            dotted(ui::DrawingSurface::Left, line.ordinateAt(ui::DrawingSurface::Left), toX, toY);
        else
            dotted(imageX, imageY, toX, toY);
    }

    // A ray of L1: incident from B to the lens point (X1, yLens), emergent through B1; its
    // virtual extension runs back to B1 and ends at (extensionEndX, extensionEndY).
    void rayOfL1(double yStart, double hLens, double yLens, double extensionEndX,
                 double extensionEndY);
    // What becomes of a ray of L1 after L2 when its emergent line reaches L2.
    void afterL2(const BenchLine &emergent, double yAtL2);

    void parallelRayOfL2();
    void rayThroughO2();
    void rayThroughFocusOfL2();

    ui::DrawingSurface &surface_;
    const BenchState &state_;
    const FigureLayout &f_;
    const double right_; // [W]
    QRgb colour_ = 0;
    bool warning_ = false;
};

bool RayConstruction::chooseColour(bool exists) {
    if (exists) {
        colour_ = f_.colours.ray;
        return true;
    }
    if (!on(ShowOutsideRays)) return false;
    colour_ = NonExistentRayColour;
    warning_ = true;
    return true;
}

bool RayConstruction::draw() {
    // Rays through L1.
    if (on(RayParallel1) && !f_.atInfinity && chooseColour(f_.HB <= f_.R1))
        rayOfL1(f_.YB, f_.h, f_.YB, f_.X1, f_.YB);
    if (on(RayThroughO1) && chooseColour(true)) rayOfL1(f_.YB, 0, AxisY, f_.XA, f_.YB);
    if (on(RayThroughF1) && objectClearOfFocalPlane() &&
        chooseColour(std::fabs(f_.image1Height) <= f_.d1))
        rayOfL1(startOrdinate(f_.YB1), f_.image1Height, f_.YB1, f_.X1, f_.YB1);

    // Rays of L2 for the intermediate image.
    if (f_.twoLenses) {
        if (on(RayParallel2) && objectClearOfFocalPlane()) parallelRayOfL2();
        if (on(RayThroughO2) && f_.X2 != f_.XA1) rayThroughO2();
        if (on(RayThroughF2) && objectClearOfFocalPlane()) rayThroughFocusOfL2();
    }
    return warning_;
}

void RayConstruction::rayOfL1(double yStart, double hLens, double yLens, double extensionEndX,
                              double extensionEndY) {
    const BenchLine emergent = droite(f_.x1, hLens, f_.image1Position, f_.image1Height);
    const DrawingLine line = f_.drawn(emergent);
    solid(f_.XA, yStart, f_.X1, yLens);
    const double yEnd = line.ordinateAt(f_.XEND);
    solid(f_.X1, yLens, f_.XEND, yEnd);
    if (on(ExtendRays) && f_.XA1 < f_.X1)
        extendBack(line, f_.XA1, f_.YB1, extensionEndX, extensionEndY);
    if (f_.twoLenses) afterL2(emergent, yEnd);
}

void RayConstruction::afterL2(const BenchLine &emergent, double yAtL2) {
    const BenchLine refracted =
        droite(f_.x2, emergent.heightAt(f_.x2), f_.image2Position, f_.image2Height);
    const DrawingLine line = f_.drawn(refracted);
    solid(f_.X2, yAtL2, right_, line.ordinateAt(right_));
    if (!on(ExtendRays)) return;
    if (f_.XA2 < f_.X2) extendBack(line, f_.XA2, f_.YB2, f_.X2, yAtL2);
    // An image of L1 beyond L2 is where the light would have met without L2.
    if (f_.X2 < f_.XA1) dotted(f_.X2, yAtL2, right_, f_.drawn(emergent).ordinateAt(right_));
}

void RayConstruction::parallelRayOfL2() {
    // Through the object focus of L1, parallel to the axis between the lenses, then through the
    // image focus of L2.
    const double h1 = std::fabs(f_.image1Height);
    if (!chooseColour(h1 <= f_.d1 && h1 <= f_.d2)) return;
    const double y = f_.YB1;
    const DrawingLine between{0, y};
    const DrawingLine after = f_.drawn(droite(f_.x2, f_.image1Height, f_.x2 + f_.f2, 0));
    solid(f_.XA, startOrdinate(y), f_.X1, y);
    solid(f_.X1, y, f_.X2, y);
    solid(f_.X2, y, right_, after.ordinateAt(right_));
    if (!on(ExtendRays)) return;
    if (f_.image1Position < f_.x1) extendBack(between, f_.XA1, f_.YB1, f_.X1, y);
    if (f_.image1Position > f_.x2) dotted(right_, y, f_.X2, y);
    if (f_.image2Position < f_.x2) extendBack(after, f_.XA2, f_.YB2, f_.X2, y);
}

void RayConstruction::rayThroughO2() {
    // Undeviated by L2: along the line O2 B2, which also passes through B1.
    const BenchLine throughO2 = droite(f_.x2, 0, f_.image2Position, f_.image2Height);
    if (!chooseColour(std::fabs(throughO2.heightAt(f_.x1)) <= f_.d1)) return;
    const DrawingLine line = f_.drawn(throughO2);
    const double y = line.ordinateAt(f_.X1);
    solid(f_.XA, startOrdinate(y), f_.X1, y);
    solid(f_.X1, y, f_.X2, AxisY);
    solid(f_.X2, AxisY, right_, line.ordinateAt(right_));
    if (!on(ExtendRays)) return;
    if (f_.image1Position < f_.x1) extendBack(line, f_.XA1, f_.YB1, f_.X1, y);
    if (f_.image2Position < f_.x2) extendBack(line, f_.XA2, f_.YB2, f_.X2, AxisY);
}

void RayConstruction::rayThroughFocusOfL2() {
    // Through the object focus of L2 between the lenses, parallel to the axis after L2.
    const BenchLine throughF2 = droite(f_.x2 - f_.f2, 0, f_.x2, f_.image2Height);
    if (!chooseColour(std::fabs(throughF2.heightAt(f_.x1)) <= f_.d1 &&
                      std::fabs(f_.image2Height) <= f_.d2))
        return;
    const DrawingLine between = f_.drawn(throughF2);
    const double y = between.ordinateAt(f_.X1);
    const double y2 = f_.YB2;
    solid(f_.XA, startOrdinate(y), f_.X1, y);
    solid(f_.X1, y, f_.X2, y2);
    solid(f_.X2, y2, right_, y2);
    if (!on(ExtendRays)) return;
    if (f_.image1Position < f_.x1) extendBack(between, f_.XA1, f_.YB1, f_.X1, y);
    if (f_.image2Position < f_.x2) extendBack(DrawingLine{0, y2}, f_.XA2, f_.YB2, f_.X2, y2);
}

} // namespace

bool drawConstructionRays(ui::DrawingSurface &surface, const BenchState &state,
                          const FigureLayout &layout) {
    return RayConstruction(surface, state, layout).draw();
}

} // namespace bench
