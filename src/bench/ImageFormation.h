#pragma once

#include "bench/BenchState.h"

namespace bench {

// The abscissa of the left edge of the drawing surface, in drawing units.
constexpr double SurfaceLeft = -10;
// Beyond this abscissa, in cm, an image read-out shows "Hors limites".
constexpr double ReadoutLimit = 50000;

// The working values of one image computation, in cm, after the replacements for the object at
// infinity and the nudges that avoid divisions by zero. The figure draws from them.
struct ImageWork {
    float x1 = 0, x2 = 0; // lens positions (x2 nudged when the image of L1 falls on L2)
    float f1 = 0, f2 = 0;
    float xA = 0, h = 0; // object foot and height
    double tanA = 0;     // tangent of the apparent diameter (object at infinity)
    double p1 = 0, q1 = 0, p2 = 0, q2 = 0;
    bool objectAtLens = false; // the object stands exactly at L1: nothing is computed or drawn
};

// drawScale from the width of the drawing surface in drawing units (an axis length of 0 is
// taken as 100).
void computeDrawScale(BenchState &s, double surfaceWidth);

// Reads the fields, places the object (at infinity: left of the visible figure), then, unless
// the object stands exactly at L1, computes the images through L1 and L2 and writes the four
// derived values of the state. Reads drawScale, which computeDrawScale sets first.
ImageWork computeImages(BenchState &s);

// Label3(0) to Label3(3) and the visibility of the two lower ones.
void refreshImageReadouts(BenchState &s);

// The whole model side of a figure update for a surface of the given width: the controls that
// follow the object at infinity, the scale, the images and the read-outs. Returns the working
// values; with the object at L1 the read-outs are left as they were.
ImageWork updateBench(BenchState &s, double surfaceWidth);

} // namespace bench
