#pragma once

#include "bench/BenchState.h"
#include "bench/figure/FigureLayout.h"
#include "ui/DrawingSurface.h"

namespace bench {

// Ordinates of the beam strokes are held within ±BeamClamp drawing units.
constexpr double BeamClamp = 1000;

// drawBeams: the light of "Afficher tous les rayons issus de B", "… issus de A" or "Afficher tous
// les rayons", whichever is on, as vertical strokes one drawing unit apart between the
// boundary lines of the beam, through L1 and, with two lenses, through L2.
void drawBeams(ui::DrawingSurface &surface, const BenchState &state, const FigureLayout &layout);

// The colour of a stroke of length `length` on a surface `surfaceHeight` drawing units high:
// on black, narrow beams bright and wide ones darker; on white, one pale blue.
QRgb beamColour(double length, double surfaceHeight, bool whiteBackground);

} // namespace bench
