#pragma once

#include "bench/BenchState.h"
#include "ui/DrawingSurface.h"

#include <QRectF>

namespace bench {

// Width of the mouse handles AB, L1 and L2 laid over the figure, in drawing units.
constexpr double HandleWidth = 17;
// The handles are never taller than the space above the axis.
constexpr double HandleHeightLimit = 135;

// What only the drawing knows, for the main window; the read-outs and the other derived texts
// are in the bench state.
struct FigureResult {
    // False when the object stands exactly at L1: nothing was cleared or drawn, and the handles
    // and read-outs stay where they were.
    bool drawn = false;
    // The mouse handles over the object and the lenses, in drawing units. lens2Handle is placed
    // also with one lens, when the window hides it.
    QRectF objectHandle;
    QRectF lens1Handle;
    QRectF lens2Handle;
    bool lens2HandleVisible = false;
    // A ray was drawn in red and the warning printed.
    bool warningShown = false;
};

// majaff: brings the figure and the read-outs in line with the bench. Recomputes the images for
// the surface's width, clears the surface and draws the beams, the axis with its graduation,
// the construction rays, the lenses, the object, the images, the foci and the warning.
FigureResult majaff(BenchState &state, ui::DrawingSurface &surface);

} // namespace bench
