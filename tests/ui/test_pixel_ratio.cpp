// The figure on a high-density screen: drawn at the screen's resolution in the same drawing
// units, so that it has the same layout and the same strokes as at one pixel per unit.

#include "bench/BenchControls.h"
#include "bench/FieldBounds.h"
#include "bench/figure/FigureUpdate.h"
#include "ui/ImageSurface.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QRandomGenerator>

#include <functional>

using namespace bench;

namespace {

struct Drawn {
    QImage image;
    FigureResult result;
    BenchState state;
};

Drawn draw(const std::function<void(BenchState &)> &edit, qreal ratio) {
    BenchState s = BenchState::startup();
    edit(s);
    testpos(s);
    ui::ImageSurface surface(775, 265, ratio);
    const FigureResult result = majaff(s, surface);
    return {surface.image(), result, s};
}

// The share of units whose pixel at one pixel per unit differs from the top-left pixel of the
// unit's square at ratio 2.
double differingShare(const QImage &one, const QImage &two) {
    long long differing = 0;
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x)
            if (one.pixel(x, y) != two.pixel(2 * x, 2 * y)) ++differing;
    return double(differing) / (double(one.width()) * one.height());
}

} // namespace

TEST(PixelRatio, FigureAtRatioTwoHasTheSameLayoutAndStrokes) {
    ensureApplication<QGuiApplication>();
    const struct {
        const char *name;
        std::function<void(BenchState &)> edit;
    } benches[] = {
        {"start-up", [](BenchState &) {}},
        {"two lenses on white",
         [](BenchState &s) {
             setOption(s, TwoLenses, true);
             setOption(s, WhiteBackground, true);
         }},
        {"object at infinity", [](BenchState &s) { setObjectAtInfinity(s, true); }},
    };
    for (const auto &b : benches) {
        const Drawn one = draw(b.edit, 1), two = draw(b.edit, 2);
        EXPECT_EQ(two.image.size(), one.image.size() * 2) << b.name;
        EXPECT_EQ(two.image.devicePixelRatio(), 2) << b.name;
        EXPECT_EQ(two.image.deviceIndependentSize(), QSizeF(775, 265)) << b.name;
        // Same handles and read-outs: the drawing units and the text metrics are those of one
        // pixel per unit.
        EXPECT_EQ(two.result.objectHandle, one.result.objectHandle) << b.name;
        EXPECT_EQ(two.result.lens1Handle, one.result.lens1Handle) << b.name;
        EXPECT_EQ(two.result.lens2Handle, one.result.lens2Handle) << b.name;
        EXPECT_EQ(two.state.readouts, one.state.readouts) << b.name;
        // The same strokes in the same places: only glyph shapes and the steps of sloping lines
        // may differ.
        EXPECT_LT(differingShare(one.image, two.image), 0.01) << b.name;
    }
}

TEST(PixelRatio, DirectLinesCoverTheWholeSquareOfEachUnit) {
    ensureApplication<QGuiApplication>();
    const int w = 60, h = 40;
    for (const qreal ratio : {2.0, 3.0}) {
        ui::ImageSurface one(w, h), dense(w, h, ratio);
        one.clear(qRgb(0, 0, 0));
        dense.clear(qRgb(0, 0, 0));
        QRandomGenerator random(11);
        for (int i = 0; i < 300; ++i) {
            const auto coordinate = [&](int low, int high) {
                return float(random.bounded(low, high));
            };
            const float x1 = coordinate(-30, 80), y1 = coordinate(-30, 70);
            const float x2 = i % 2 ? coordinate(-30, 80) : x1,
                        y2 = i % 2 ? y1 : coordinate(-30, 70);
            const QRgb colour = qRgb(random.bounded(256), random.bounded(256), random.bounded(256));
            one.line(x1, y1, x2, y2, colour, ui::DashStyle::Solid);
            dense.line(x1, y1, x2, y2, colour, ui::DashStyle::Solid);
        }
        QImage expected = one.image().scaled(int(w * ratio), int(h * ratio), Qt::IgnoreAspectRatio,
                                             Qt::FastTransformation);
        expected.setDevicePixelRatio(ratio);
        EXPECT_EQ(dense.image(), expected) << ratio;
    }
}
