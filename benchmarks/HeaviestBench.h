#pragma once

#include "bench/BenchControls.h"
#include "bench/FieldBounds.h"

// Everything on: two lenses, the beam of all rays, the six construction rays with their
// extensions and arrows, graduation, foci, real and virtual images.
inline bench::BenchState heaviestBench() {
    using namespace bench;
    BenchState s = BenchState::startup();
    for (int o : {TwoLenses, BeamAll, RayParallel1, RayThroughO1, RayThroughF1, RayParallel2,
                  RayThroughO2, RayThroughF2, ExtendRays, PropagationArrows, GraduateAxis, ShowFoci,
                  ShowImages, ShowVirtualImages, ShowOutsideRays})
        setOption(s, o, true);
    testpos(s);
    return s;
}
