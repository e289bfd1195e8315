#pragma once

#include "bench/figure/FigureExport.h"
#include "measure/Measurement.h"
#include "ui/DrawingSurface.h"

#include <QByteArray>
#include <QImage>

#include <vector>

namespace measure {

// What the graph plots against what.
enum class GraphView {
    Inverses,      // 1/OA' against 1/OA, with the fitted line
    Distances,     // OA' against OA, with the curve of the fitted line
    Magnification, // γ against OA, likewise
};

// The colours of the points (each a cross of two strokes) and of the fitted line.
constexpr QRgb GraphPointColour = qRgb(0, 0, 200);
constexpr QRgb GraphFitColour = qRgb(200, 0, 0);

// An axis with round graduations: from `low` to `high` by `step`, a step of 1, 2 or 5 × 10ⁿ
// and both ends multiples of it.
struct RoundAxis {
    double low = 0, high = 1, step = 1;
    // The number of decimals that writes every graduation.
    int decimals() const;
};
// The round axis that holds [low, high] (and 0) in at most about six graduations.
RoundAxis roundAxis(double low, double high);

// The measurements of one lens in one view, what a graph shows.
struct GraphContent {
    const std::vector<Measurement> *rows = nullptr;
    int lens = 1;
    GraphView view = GraphView::Inverses;
};

// Draws the graph on the whole surface, white: the title, the graduated axes with their French
// titles and units, the points of the lens, the fitted line (or its curve) and the results of
// the fit under the axes.
void drawGraph(const GraphContent &content, ui::DrawingSurface &surface);

// The graph as a picture of width × height drawing units at `pixelRatio` pixels each, and as
// the bytes of a PNG, SVG or PDF file, as the figure is written.
QImage graphPicture(const GraphContent &content, int width, int height, qreal pixelRatio = 1);
QByteArray graphFileBytes(const GraphContent &content, bench::FigureFormat format, int width,
                          int height);

} // namespace measure
