#pragma once

#include "bench/BenchState.h"
#include "measure/Measurement.h"

#include <optional>
#include <vector>

namespace measure {

// An automatic series: the object moved from one abscissa to another in a number of equal
// steps, the pair of a lens measured at each.
struct SeriesPlan {
    static constexpr int MinSteps = 2, MaxSteps = 200;

    double from = 0; // object abscissas, in cm
    double to = 0;
    int steps = 10; // measurements, the two ends included
    int lens = 1;

    // The object's abscissa at step k (0 to steps − 1), before the field's rounding.
    double position(int k) const;
};

struct SeriesResult {
    std::vector<Measurement> rows;
    // The steps that gave no measurement (an image at infinity), and the reason of the first.
    int refused = 0;
    QString firstRefusal;
};

// Why the plan cannot run on this bench, in French; none when it can. The object must stay on
// the axis and left of L1 (which would otherwise be pushed along), and not be at infinity.
std::optional<QString> checkSeriesPlan(const bench::BenchState &state, const SeriesPlan &plan);

// Runs a checked plan on a copy of the bench: the object is put at each abscissa as a typed
// position would be (in the field's number format, then the position test), and the lens
// measured. The bench itself never changes.
SeriesResult runSeries(const bench::BenchState &state, const SeriesPlan &plan, ReadingError &error);

} // namespace measure
