#include "measure/ConjugationFit.h"

#include <algorithm>
#include <cmath>

namespace measure {

std::optional<double> ConjugationFit::focal() const {
    if (intercept == 0) return std::nullopt;
    return 100 / intercept;
}

std::optional<double> ConjugationFit::focalUncertainty() const {
    if (intercept == 0 || !interceptUncertainty) return std::nullopt;
    return 100 * *interceptUncertainty / (intercept * intercept);
}

std::optional<double> ConjugationFit::imageDistanceAt(double objectDistance) const {
    if (objectDistance == 0) return std::nullopt;
    const double inverse = inverseImageAt(100 / objectDistance);
    if (inverse == 0) return std::nullopt;
    return 100 / inverse;
}

std::optional<double> ConjugationFit::magnificationAt(double objectDistance) const {
    const auto image = imageDistanceAt(objectDistance);
    if (!image) return std::nullopt;
    return *image / objectDistance;
}

std::optional<ConjugationFit> fitConjugation(const std::vector<Measurement> &rows, int lens) {
    struct Point {
        double x, y, w;
    };
    std::vector<Point> points;
    ConjugationFit fit;
    for (const Measurement &m : rows) {
        const auto x = m.inverseObject(), y = m.inverseImage();
        if (m.lens != lens || !x || !y) continue;
        // The uncertainties of 1/OA' and 1/OA in m⁻¹ from those of OA' and OA in cm; that of
        // 1/OA counts as it moves the point across a line of slope about 1.
        const double uy = 100 * m.imageReadingUncertainty() / (m.imageDistance * m.imageDistance);
        const double ux =
            100 * m.objectReadingUncertainty() / (m.objectDistance * m.objectDistance);
        points.push_back({*x, *y, 1 / (uy * uy + ux * ux)});
        fit.decimals = std::max(fit.decimals, m.decimals);
    }
    const int n = int(points.size());
    if (n < 2 || std::all_of(points.begin(), points.end(),
                             [&](const Point &p) { return p.x == points.front().x; }))
        return std::nullopt;
    double sw = 0, sx = 0, sy = 0;
    for (const Point &p : points) {
        sw += p.w;
        sx += p.w * p.x;
        sy += p.w * p.y;
    }
    const double mx = sx / sw, my = sy / sw;
    double sxx = 0, sxy = 0;
    for (const Point &p : points) {
        sxx += p.w * (p.x - mx) * (p.x - mx);
        sxy += p.w * (p.x - mx) * (p.y - my);
    }
    if (!(sxx > 0)) return std::nullopt;
    fit.points = n;
    fit.slope = sxy / sxx;
    fit.intercept = my - fit.slope * mx;
    if (n > 2) {
        // The weights give each point's share; the scatter about the line gives their scale.
        double chi2 = 0;
        for (const Point &p : points) {
            const double r = p.y - fit.inverseImageAt(p.x);
            chi2 += p.w * r * r;
        }
        const double s2 = chi2 / (n - 2);
        fit.slopeUncertainty = std::sqrt(s2 / sxx);
        fit.interceptUncertainty = std::sqrt(s2 * (1 / sw + mx * mx / sxx));
    }
    return fit;
}

} // namespace measure
