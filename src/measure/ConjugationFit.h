#pragma once

#include "measure/Measurement.h"

#include <optional>
#include <vector>

namespace measure {

// The straight line 1/OA' = a × 1/OA + b through the measurements of one lens, in m⁻¹. For a
// thin lens a = 1 and b is its vergence V (in δ), so that f' = 1/V.
struct ConjugationFit {
    int points = 0;
    double slope = 0;     // a
    double intercept = 0; // b = V, in δ
    // Standard uncertainties from the scatter of the points about the line; none with two
    // points, which the line passes through whatever their errors.
    std::optional<double> slopeUncertainty;
    std::optional<double> interceptUncertainty;
    // The most decimals of the read-outs among the points.
    int decimals = 1;

    double vergence() const { return intercept; }
    // f' = 1/V in cm, and its uncertainty; none for a vergence of zero.
    std::optional<double> focal() const;
    std::optional<double> focalUncertainty() const;

    // The line's value and, from it, OA' and γ for an object distance OA in cm (none where the
    // image is at infinity).
    double inverseImageAt(double inverseObject) const { return slope * inverseObject + intercept; }
    std::optional<double> imageDistanceAt(double objectDistance) const;
    std::optional<double> magnificationAt(double objectDistance) const;
};

// Fits the line through the measurements of `lens` that have both inverses, by least squares
// weighted by the uncertainty of each point: a reading off by u(OA') moves 1/OA' by
// u(OA') / OA'², so an image near the lens, whose inverse is steep in OA', counts for less.
// Without that weight a few readings near the lens would decide the line alone. For L2, whose
// OA is read too, u(1/OA) adds to it (the effective variance of a line of slope 1). None with
// fewer than two such points or when they all share one OA.
std::optional<ConjugationFit> fitConjugation(const std::vector<Measurement> &rows, int lens);

} // namespace measure
