#include "measure/MeasureSeries.h"

#include "bench/BenchControls.h"
#include "bench/FieldBounds.h"
#include "bench/FieldNumberText.h"

#include <cmath>

namespace measure {

double SeriesPlan::position(int k) const {
    if (steps < 2) return from;
    return from + (to - from) * k / (steps - 1);
}

std::optional<QString> checkSeriesPlan(const bench::BenchState &state, const SeriesPlan &plan) {
    if (plan.steps < SeriesPlan::MinSteps || plan.steps > SeriesPlan::MaxSteps)
        return QStringLiteral("Le nombre de mesures va de %1 à %2.")
            .arg(SeriesPlan::MinSteps)
            .arg(SeriesPlan::MaxSteps);
    if (plan.lens != 1 && plan.lens != 2)
        return QStringLiteral("La lentille mesurée est L1 ou L2.");
    if (state.objectAtInfinity)
        return QStringLiteral("L'objet est à l'infini : décochez « Objet à l'infini » pour "
                              "déplacer l'objet sur l'axe.");
    if (plan.lens == 2 && !state.option(bench::TwoLenses))
        return QStringLiteral("Le banc n'a qu'une lentille : cochez « Utiliser deux lentilles » "
                              "pour mesurer avec L2.");
    // The position test puts L1 at least 0,1 cm right of the object, in single precision.
    // L1 itself is never beyond the axis's end.
    const float lens1 = state.value(bench::Lens1Position);
    for (double x : {plan.from, plan.to}) {
        const float shown = bench::fieldValue(state.formatPosition(x, 15));
        if (!std::isfinite(x) || shown < 0 || shown + 0.1f > lens1)
            return QStringLiteral("L'objet doit rester sur l'axe, à gauche de L1 : ses positions "
                                  "vont de %1 à %2 cm.")
                .arg(state.formatPosition(0), state.formatPosition(lens1 - 0.1f));
    }
    return std::nullopt;
}

SeriesResult runSeries(const bench::BenchState &state, const SeriesPlan &plan,
                       ReadingError &error) {
    SeriesResult result;
    result.rows.reserve(std::size_t(std::max(plan.steps, 0)));
    bench::BenchState s = state;
    for (int k = 0; k < plan.steps; ++k) {
        bench::setFieldText(s, bench::ObjectPosition, s.formatPosition(plan.position(k), 15));
        bench::testpos(s);
        MeasurementResult m = takeMeasurement(s, plan.lens, error);
        if (auto *row = std::get_if<Measurement>(&m)) {
            result.rows.push_back(*row);
        } else {
            if (result.refused++ == 0) result.firstRefusal = std::get<QString>(m);
        }
    }
    return result;
}

} // namespace measure
