#pragma once

#include "bench/BenchState.h"
#include "bench/ImageFormation.h"
#include "bench/figure/FigurePrimitives.h"

namespace bench {

// The values a figure is drawn from: the bench in centimetres after the image computation, and
// the same points as drawing coordinates. Every drawing coordinate is an integer (held in a
// double so that sums and differences of far-off points cannot overflow).
struct FigureLayout {
    double width = 0;  // W, the surface width in drawing units
    double height = 0; // the surface height in drawing units
    float scale = 0;   // drawScale
    float arrow = 0;   // fraction of a segment where its arrowhead stands, 0 for none
    bool twoLenses = false;
    bool atInfinity = false;
    FigurePalette colours = FigurePalette::forBackground(false);

    // Centimetres. x2 is the L2 position after the nudge of the image computation; d2 the
    // half-height of L2 raised to the beam that leaves L1.
    double x1 = 0, x2 = 0, f1 = 0, f2 = 0, xA = 0, h = 0, p1 = 0;
    double d1 = 0, d2 = 0;
    double image1Position = 0, image1Height = 0, image2Position = 0, image2Height = 0;

    // Drawing coordinates.
    double XA = 0, X1 = 0, X2 = 0; // object foot, lenses
    double HB = 0, YB = 0;         // object height and ordinate of B
    double R1 = 0, R2 = 0;         // lens half-heights
    double XA1 = 0, YB1 = 0;       // image of L1
    double XA2 = 0, YB2 = 0;       // image of L2
    double XEND = 0;               // where the light leaving L1 is drawn to: X2 or W

    // The figure's drawing coordinates of a bench abscissa and of a bench height.
    double abscissa(double cm) const { return drawingCoordinate(double(cm) * scale); }
    double ordinate(double cm) const { return drawingCoordinate(AxisY - scale * cm); }
    DrawingLine drawn(const BenchLine &line) const { return toDrawing(line, scale); }
};

// Lays out the figure of the bench for a surface of width × height drawing units, from the
// results of the image computation (drawScale and the images must be up to date).
FigureLayout layoutFigure(const BenchState &state, const ImageWork &work, double width,
                          double height);

} // namespace bench
