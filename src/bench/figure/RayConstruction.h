#pragma once

#include "bench/BenchState.h"
#include "bench/figure/FigureLayout.h"
#include "ui/DrawingSurface.h"

namespace bench {

// drawConstructionRays: the construction rays issued from B that the "Construction" panel
// selects: through L1 the ray parallel to the axis, the ray through O and the ray through F,
// each continued after L2 with two lenses; with two lenses also the rays that are construction
// rays of L2 for the intermediate image A1B1. Rays that miss a lens are drawn in red only when
// "Représenter les rayons extérieurs à la lentille" is on. Returns whether a red ray was drawn.
bool drawConstructionRays(ui::DrawingSurface &surface, const BenchState &state,
                          const FigureLayout &layout);

} // namespace bench
