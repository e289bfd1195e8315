#include "bench/figure/FigureUpdate.h"

#include "bench/ImageFormation.h"
#include "bench/figure/BeamFill.h"
#include "bench/figure/FigureLayout.h"
#include "bench/figure/FigurePrimitives.h"
#include "bench/figure/RayConstruction.h"

#include <algorithm>

namespace bench {

namespace {

QRectF handle(double x, double top, double height) {
    return {x - HandleWidth / 2, top, HandleWidth, height};
}

void drawImages(ui::DrawingSurface &surface, const BenchState &state, const FigureLayout &f) {
    const bool showVirtual = state.options[ShowVirtualImages];
    const QRgb colour = f.colours.object;
    const bool image1Real = f.XA1 > f.X1 && (!f.twoLenses || f.XA1 < f.X2);
    if (image1Real || showVirtual) {
        ImageSymbol im;
        im.x = f.XA1;
        im.y = f.YB1;
        im.realImageOfL1 = image1Real;
        im.dottedStem = !image1Real;
        im.tipLabel = f.twoLenses ? QStringLiteral("B") : QStringLiteral("B'");
        im.footLabel = f.twoLenses ? QStringLiteral("A") : QStringLiteral("A'");
        im.subscript = f.twoLenses ? QStringLiteral("1") : QString();
        drawImageSymbol(surface, im, colour);
    }
    if (!f.twoLenses) return;
    const bool image2Real = f.XA2 >= f.X2;
    if (image2Real || showVirtual) {
        ImageSymbol im;
        im.x = f.XA2;
        im.y = f.YB2;
        im.dottedStem = !image2Real;
        im.tipLabel = QStringLiteral("B");
        im.footLabel = QStringLiteral("A");
        im.subscript = QStringLiteral("2");
        drawImageSymbol(surface, im, colour);
    }
}

void drawFoci(ui::DrawingSurface &surface, const FigureLayout &f) {
    const QRgb colour = f.colours.foreground;
    const int lens1 = f.twoLenses ? 1 : 0;
    drawFocusMark(surface, drawingCoordinate(f.X1 - f.f1 * f.scale), false, lens1, colour);
    drawFocusMark(surface, drawingCoordinate(f.X1 + f.f1 * f.scale), true, lens1, colour);
    if (!f.twoLenses) return;
    drawFocusMark(surface, drawingCoordinate(f.X2 - f.f2 * f.scale), false, 2, colour);
    drawFocusMark(surface, drawingCoordinate(f.X2 + f.f2 * f.scale), true, 2, colour);
}

} // namespace

FigureResult majaff(BenchState &state, ui::DrawingSurface &surface) {
    FigureResult result;
    const ImageWork work = updateBench(state, surface.width());
    if (work.objectAtLens) return result;

    const FigureLayout f = layoutFigure(state, work, surface.width(), surface.height());
    const FigurePalette &colours = f.colours;
    surface.beginFigure();
    surface.clear(colours.background);

    drawBeams(surface, state, f);
    if (state.options[GraduateAxis]) gradu(surface, state.axisLength, colours.foreground);
    surface.line(0, float(AxisY), float(f.width - 20), float(AxisY), colours.foreground,
                 ui::DashStyle::Solid);
    result.warningShown = drawConstructionRays(surface, state, f);

    drawLensSymbol(surface, f.X1, f.R1, f.twoLenses ? 1 : 0, colours.foreground);
    if (f.twoLenses) drawLensSymbol(surface, f.X2, f.R2, 2, colours.foreground);

    // The weight stays as the graduation or an earlier figure left it.
    surface.setFont(QStringLiteral("Arial"), 8);
    drawObjectSymbol(surface, f.XA, f.HB, colours.object);
    if (state.options[ShowImages]) drawImages(surface, state, f);
    if (state.options[ShowFoci]) drawFoci(surface, f);
    if (result.warningShown) drawWarning(surface);
    surface.endFigure();

    const double hb = std::min(f.HB, HandleHeightLimit);
    const double r1 = std::min(f.R1, HandleHeightLimit);
    const double r2 = std::min(f.R2, HandleHeightLimit);
    result.drawn = true;
    result.objectHandle = handle(f.XA, AxisY - hb, hb);
    result.lens1Handle = handle(f.X1, AxisY - r1, 2 * r1);
    result.lens2Handle = handle(f.X2, AxisY - r2, 2 * r2);
    result.lens2HandleVisible = f.twoLenses;
    return result;
}

} // namespace bench
