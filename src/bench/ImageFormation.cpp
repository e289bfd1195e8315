#include "bench/ImageFormation.h"

#include "bench/BenchControls.h"

#include <cmath>

namespace bench {

namespace {
constexpr double DegreesToRadians = 0.017453292;
}

void computeDrawScale(BenchState &s, double surfaceWidth) {
    if (s.axisLength == 0) s.axisLength = 100;
    s.drawScale = float((surfaceWidth - 20) / s.axisLength);
}

ImageWork computeImages(BenchState &s) {
    ImageWork w;
    w.x1 = s.value(Lens1Position);
    w.x2 = s.value(Lens2Position);
    w.xA = s.value(ObjectPosition);
    w.h = s.value(ObjectHeight);
    w.f1 = s.value(Lens1Focal);
    w.f2 = s.value(Lens2Focal);

    if (s.objectAtInfinity) {
        // Twice the left edge of the surface: outside the visible figure, to the left. The
        // height makes the ray from B through O1 meet the axis at the apparent diameter.
        w.tanA = std::tan(s.apparentDiameterTenths / 10.0 * DegreesToRadians);
        w.xA = float(2 * SurfaceLeft / s.drawScale);
        w.h = float(std::fabs(double(w.xA) - w.x1) * w.tanA);
    }
    if (w.x1 == w.xA) {
        w.objectAtLens = true;
        return w;
    }

    // Conjugation through L1; an object in the focal plane is moved just outside the focus.
    w.p1 = double(w.xA) - w.x1;
    if (w.f1 + w.p1 == 0) w.p1 = -double(w.f1) - 0.0001;
    w.q1 = w.f1 * w.p1 / (w.f1 + w.p1);
    s.image1Height = w.q1 * w.h / w.p1;
    if (s.objectAtInfinity) {
        // The image lies in the image focal plane, inverted.
        w.q1 = w.f1;
        s.image1Height = -double(w.f1) * w.tanA;
    }
    s.image1Position = float(w.x1 + w.q1);

    // Conjugation through L2, also computed with one lens.
    if (s.image1Position == w.x2) w.x2 = float(w.x2 + 0.0001);
    w.p2 = w.x1 + w.q1 - w.x2;
    if (w.p2 == 0) w.p2 = 0.0001;
    if (w.f2 + w.p2 != 0)
        w.q2 = w.f2 * w.p2 / (w.f2 + w.p2);
    else // image of L1 in the object focal plane of L2: the final image is far to the right
        w.q2 = std::fabs(w.f2 * w.p2 / 0.0001);
    s.image2Height = w.q2 * s.image1Height / w.p2;
    s.image2Position = float(w.x2 + w.q2);
    return w;
}

void refreshImageReadouts(BenchState &s) {
    const QString outOfRange = QStringLiteral("Hors limites");
    const QString cm = QStringLiteral(" cm");
    const bool two = s.options[TwoLenses];
    if (std::fabs(s.image1Position) > ReadoutLimit) {
        s.readouts[0] = s.readouts[1] = outOfRange;
    } else {
        s.readouts[0] = s.formatPosition(s.image1Position) + cm;
        s.readouts[1] = s.formatPosition(s.image1Height, 15) + cm;
    }
    if (two) {
        if (std::fabs(s.image2Position) > ReadoutLimit) {
            s.readouts[2] = s.readouts[3] = outOfRange;
        } else {
            s.readouts[2] = s.formatPosition(s.image2Position) + cm;
            s.readouts[3] = s.formatPosition(s.image2Height, 15) + cm;
        }
    }
    s.lowerReadoutsVisible = two;
}

ImageWork updateBench(BenchState &s, double surfaceWidth) {
    refreshObjectAtInfinityControls(s);
    computeDrawScale(s, surfaceWidth);
    ImageWork w = computeImages(s);
    if (!w.objectAtLens) refreshImageReadouts(s);
    return w;
}

} // namespace bench
