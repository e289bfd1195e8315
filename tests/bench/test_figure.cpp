#include "bench/BenchControls.h"
#include "bench/FieldBounds.h"
#include "bench/figure/BeamFill.h"
#include "bench/figure/FigureLayout.h"
#include "bench/figure/FigurePrimitives.h"
#include "bench/figure/FigureUpdate.h"
#include "ui/RecordingSurface.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

using namespace bench;
using ui::DashStyle;
using ui::RecordingSurface;
using Line = RecordingSurface::Line;

namespace {

constexpr double Width = 775;
const FigurePalette Black = FigurePalette::forBackground(false);
const FigurePalette White = FigurePalette::forBackground(true);

// The start-up bench changed by `edit`, normalised as the window does before a figure update.
BenchState benchWith(const std::function<void(BenchState &)> &edit = {}) {
    BenchState s = BenchState::startup();
    if (edit) edit(s);
    testpos(s);
    return s;
}

struct Figure {
    BenchState state;
    RecordingSurface surface{Width, 265};
    FigureResult result;
    FigureLayout layout;

    // `shapes`: drawn as on a surface that keeps shapes, a vector drawing.
    explicit Figure(BenchState s, double width = Width, bool shapes = false)
        : state(std::move(s)), surface(width, 265) {
        surface.shapes = shapes;
        result = majaff(state, surface);
        layout = layoutFigure(state, computeImages(state), width, 265);
    }

    std::vector<Line> lines(const std::function<bool(const Line &)> &keep) const {
        std::vector<Line> out;
        std::copy_if(surface.lines.begin(), surface.lines.end(), std::back_inserter(out), keep);
        return out;
    }
    std::vector<Line> linesIn(QRgb colour, DashStyle style) const {
        return lines([&](const Line &l) { return l.colour == colour && l.style == style; });
    }
    bool hasText(const QString &text) const {
        return std::any_of(surface.texts.begin(), surface.texts.end(),
                           [&](const auto &t) { return t.text == text; });
    }
    // The beam strokes: every line drawn before the first one in the foreground colour (the
    // graduation or the axis).
    std::vector<Line> beamStrokes() const {
        const QRgb foreground =
            FigurePalette::forBackground(state.options[WhiteBackground]).foreground;
        std::vector<Line> out;
        for (const Line &l : surface.lines) {
            if (l.colour == foreground) break;
            out.push_back(l);
        }
        return out;
    }
};

bool joins(const Line &l, double xa, double ya, double xb, double yb) {
    return (l.x1 == xa && l.y1 == ya && l.x2 == xb && l.y2 == yb) ||
           (l.x1 == xb && l.y1 == yb && l.x2 == xa && l.y2 == ya);
}

bool starts(const Line &l, double x, double y) {
    return l.x1 == x && l.y1 == y;
}

} // namespace

TEST(Droite, SlopeAndInterceptOfTwoPoints) {
    struct Row {
        double x1, y1, x2, y2, a, b;
    };
    const Row rows[] = {
        {0, 3, 15, 0, -0.2, 3},
        {15, 8, 45, -6, -14.0 / 30, 8 + 14.0 / 30 * 15},
        {2, 1, 2, 5, 1000000, 1 - 2000000}, // same abscissa: a near-vertical line
    };
    for (const Row &r : rows) {
        const BenchLine l = droite(r.x1, r.y1, r.x2, r.y2);
        EXPECT_DOUBLE_EQ(l.a, r.a);
        EXPECT_DOUBLE_EQ(l.b, r.b);
    }
    // In drawing units the slope changes sign and the intercept is measured from the axis.
    const DrawingLine d = toDrawing({-0.2, 3}, 10);
    EXPECT_EQ(d.ordinateAt(0), 105);
    EXPECT_EQ(d.ordinateAt(150), 135);
    EXPECT_EQ(toDrawing({0, 0.25}, 10).ordinateAt(0), 132); // 132.5: halves go to even
}

TEST(Tracerayon, ArrowheadPointsAlongTheSegment) {
    struct Row {
        const char *name;
        double x1, y1, x2, y2;
        float barbs[2][2];
    };
    const float h = float(10 - 5 / std::sqrt(2.0) - 10 / std::sqrt(2.0)); // 10 - 3.54 - 7.07
    const Row rows[] = {
        {"right", 0, 0, 20, 0, {{0, -5}, {0, 5}}},
        {"left", 20, 0, 0, 0, {{20, -5}, {20, 5}}},
        {"down", 0, 0, 0, 20, {{5, 0}, {-5, 0}}},
        {"up", 0, 20, 0, 0, {{5, 20}, {-5, 20}}},
        {"diagonal",
         0,
         0,
         20,
         20,
         {{float(10 - 10 / std::sqrt(2.0) + 5 / std::sqrt(2.0)), h},
          {h, float(10 - 10 / std::sqrt(2.0) + 5 / std::sqrt(2.0))}}},
    };
    for (const Row &r : rows) {
        RecordingSurface s;
        tracerayon(s, r.x1, r.y1, r.x2, r.y2, DashStyle::Solid, 0.5f, qRgb(1, 2, 3));
        ASSERT_EQ(s.lines.size(), 3u) << r.name;
        const double tx = (r.x1 + r.x2) / 2, ty = (r.y1 + r.y2) / 2;
        for (int i = 0; i < 2; ++i) {
            const Line &b = s.lines[i];
            EXPECT_EQ(b.x1, tx) << r.name;
            EXPECT_EQ(b.y1, ty) << r.name;
            EXPECT_NEAR(b.x2, r.barbs[i][0], 1e-4) << r.name << " barb " << i;
            EXPECT_NEAR(b.y2, r.barbs[i][1], 1e-4) << r.name << " barb " << i;
        }
        // The segment comes last, whole.
        EXPECT_TRUE(joins(s.lines[2], r.x1, r.y1, r.x2, r.y2)) << r.name;
        for (const Line &l : s.lines)
            EXPECT_EQ(l.colour, qRgb(1, 2, 3));
    }
    // Without a place for it, no arrowhead.
    RecordingSurface s;
    tracerayon(s, 0, 0, 30, 7, DashStyle::Dotted, 0, qRgb(1, 2, 3));
    ASSERT_EQ(s.lines.size(), 1u);
    EXPECT_EQ(s.lines[0].style, DashStyle::Dotted);
}

TEST(Gradu, TicksFiguresAndCaptionFollowTheAxisLength) {
    struct Row {
        int axisLength;
        QStringList figures;
        size_t minorTicks;
        const char *caption;
    };
    QStringList byTen;
    for (int i = 0; i <= 200; i += 10)
        byTen << QString::number(i);
    const Row rows[] = {
        {60, byTen.mid(0, 7), 61, "L'axe optique est gradué en cm."},
        {200, byTen, 201, "L'axe optique est gradué en cm."},
        {300, {"0", "1", "2", "3"}, 31, "L'axe optique est gradué en m."},
        {5000, {"0", "10", "20", "30", "40", "50"}, 51, "L'axe optique est gradué en m."},
    };
    for (const Row &r : rows) {
        RecordingSurface s(Width, 265);
        gradu(s, r.axisLength, qRgb(9, 9, 9));
        std::vector<float> main, minor;
        for (const Line &l : s.lines) {
            ASSERT_EQ(l.x1, l.x2);
            (l.y1 == 130 && l.y2 == 141 ? main : minor).push_back(l.x1);
        }
        ASSERT_EQ(main.size(), size_t(r.figures.size())) << r.axisLength;
        EXPECT_EQ(minor.size(), r.minorTicks) << r.axisLength;
        EXPECT_EQ(main.front(), 0);
        EXPECT_EQ(main.back(), Width - 20);
        EXPECT_EQ(minor.back(), Width - 20);
        ASSERT_EQ(s.texts.size(), main.size() + 1);
        for (qsizetype i = 0; i < r.figures.size(); ++i) {
            const auto &t = s.texts[size_t(i)];
            EXPECT_EQ(t.text, r.figures[i]) << r.axisLength;
            // Centred over its tick, above the axis, in bold.
            EXPECT_EQ(t.x, main[size_t(i)] - RecordingSurface::CharWidth * t.text.size() / 2);
            EXPECT_EQ(t.y, 118);
            EXPECT_TRUE(t.bold);
        }
        const auto &caption = s.texts.back();
        EXPECT_EQ(caption.text, QString::fromUtf8(r.caption));
        EXPECT_EQ(caption.x, 4);
        EXPECT_EQ(caption.y, 265 - RecordingSurface::TextHeight - 2);
    }
    // Ticks at [i × step]: 755 / 6 = 125.83 units apart.
    RecordingSurface s(Width, 265);
    gradu(s, 60, 0);
    EXPECT_EQ(s.lines[1].x1, 126);
    EXPECT_EQ(s.lines[3].x1, 378); // 377.5, halves to even
}

TEST(BeamColour, NarrowBeamsBrightWideOnesDarkWhiteBackgroundPale) {
    struct Row {
        double length, surfaceHeight;
        bool white;
        QRgb colour;
    };
    const Row rows[] = {
        {0, 265, false, qRgb(155, 205, 255)},
        {1000, 265, false, qRgb(105, 155, 205)}, // 200 × 1000 / 3975 = 50.3
        {1999, 265, false, qRgb(54, 104, 154)},
        {2000, 265, false, qRgb(0, 0, 45)},
        {1500, 100, false, qRgb(0, 5, 55)}, // a short surface: red held at 0
        {1900, 100, false, qRgb(0, 0, 45)}, // blue held at 45
        {0, 265, true, qRgb(200, 230, 250)},
        {1999, 265, true, qRgb(200, 230, 250)},
    };
    for (const Row &r : rows)
        EXPECT_EQ(beamColour(r.length, r.surfaceHeight, r.white), r.colour)
            << r.length << " " << r.surfaceHeight;
}

TEST(Beams, FilledOneStrokePerUnitInTheBackgroundsColours) {
    for (bool white : {false, true}) {
        const Figure f(benchWith([&](BenchState &s) {
            setOption(s, WhiteBackground, white);
            setOption(s, GraduateAxis, false);
        }));
        const auto strokes = f.beamStrokes();
        // From A (0) to L1 (189), then from L1 to the right edge [W], ends included.
        ASSERT_EQ(strokes.size(), size_t(190 + (775 - 189 + 1))) << white;
        EXPECT_EQ(strokes.front().x1, 0);
        EXPECT_EQ(strokes.back().x1, 775);
        for (const Line &l : strokes) {
            EXPECT_EQ(l.colour, beamColour(std::fabs(l.y2 - l.y1), 265, white));
            EXPECT_LE(std::fabs(l.y1), BeamClamp);
            EXPECT_LE(std::fabs(l.y2), BeamClamp);
        }
        // At L1 the beam fills the lens: 101 units each side of the axis.
        const Line &atLens = strokes[189];
        EXPECT_EQ(std::min(atLens.y1, atLens.y2), 135 - 101);
        EXPECT_EQ(std::max(atLens.y1, atLens.y2), 135 + 101);
        if (white) {
            EXPECT_EQ(atLens.colour, WhiteBackgroundBeamColour);
        }
    }
}

TEST(Beams, ModesFromBAndFromAConvergeOnTheirImagePoints) {
    struct Row {
        Option mode;
        double targetY; // where the strokes after L1 pinch to one point
    };
    const Row rows[] = {{BeamFromB, 210}, {BeamFromA, 135}, {BeamAll, -1}};
    for (const Row &r : rows) {
        const Figure f(benchWith([&](BenchState &s) {
            setOption(s, r.mode, true);
            setOption(s, GraduateAxis, false);
        }));
        const auto strokes = f.beamStrokes();
        ASSERT_FALSE(strokes.empty());
        // The source: a single point at A or B for the two modes, the segment AB for all rays.
        const Line &first = strokes.front();
        const double sourceLength = std::fabs(first.y2 - first.y1);
        EXPECT_EQ(sourceLength, r.mode == BeamAll ? 135 - 97 : 0);
        if (r.mode != BeamAll) {
            EXPECT_EQ(first.y1, r.mode == BeamFromB ? 97 : 135);
        }
        if (r.targetY < 0) continue;
        // At the image abscissa (566) the stroke is at most one unit long, on the image point.
        const auto at = std::find_if(strokes.begin() + 191, strokes.end(),
                                     [](const Line &l) { return l.x1 == 566; });
        ASSERT_NE(at, strokes.end());
        EXPECT_LE(std::fabs(at->y2 - at->y1), 1);
        EXPECT_NEAR(at->y1, r.targetY, 1);
    }
}

// Where the figure is kept as shapes, each stretch of a beam is one polygon over the strokes
// that a picture draws: half a unit beyond each stroke's ends, within the half unit that the
// strokes lose to whole units, and coloured as the strokes within one level.
TEST(Beams, OnAVectorSurfaceEachStretchIsOnePolygonOverThePicturesStrokes) {
    struct Row {
        const char *name;
        std::function<void(BenchState &)> edit;
        size_t polygons;
    };
    const Row rows[] = {
        {"all rays", {}, 2},
        {"from B, white",
         [](BenchState &s) {
             setOption(s, BeamFromB, true);
             setOption(s, WhiteBackground, true);
         },
         2},
        {"from A, two lenses",
         [](BenchState &s) {
             setOption(s, BeamFromA, true);
             setOption(s, TwoLenses, true);
         },
         3},
        {"all rays, two lenses", [](BenchState &s) { setOption(s, TwoLenses, true); }, 3},
        {"from B at infinity, wide",
         [](BenchState &s) {
             setOption(s, BeamFromB, true);
             setObjectAtInfinity(s, true);
             setApparentDiameter(s, 300);
         },
         2},
        // Boundaries beyond the clamp: steep past a short focal length, far off with an image
        // of L1 near infinity.
        {"short focal length",
         [](BenchState &s) { setFieldText(s, Lens1Focal, QStringLiteral("1,0")); }, 2},
        {"object in the focal plane",
         [](BenchState &s) {
             setOption(s, TwoLenses, true);
             setFieldText(s, ObjectPosition, QStringLiteral("5,1"));
         },
         3},
    };
    for (const Row &r : rows) {
        const BenchState bench = benchWith([&](BenchState &s) {
            setOption(s, GraduateAxis, false);
            if (r.edit) r.edit(s);
        });
        const Figure picture(bench), shapes(bench, Width, true);
        EXPECT_TRUE(shapes.beamStrokes().empty()) << r.name;
        const auto &polygons = shapes.surface.polygons;
        ASSERT_EQ(polygons.size(), r.polygons) << r.name;
        const auto strokes = picture.beamStrokes();
        for (size_t k = 0; k < strokes.size(); ++k) {
            const Line &stroke = strokes[k];
            const double x = stroke.x1;
            // Where two stretches meet, the stroke drawn last shows.
            if (k + 1 < strokes.size() && strokes[k + 1].x1 == x) continue;
            // The last polygon over x is the one drawn on top, as the last stroke is.
            double top = 1e9, bottom = -1e9;
            const RecordingSurface::Polygon *over = nullptr;
            for (const auto &p : polygons) {
                double t = 1e9, b = -1e9;
                for (int i = 0; i < p.outline.size(); ++i) {
                    const QPointF a = p.outline[i], c = p.outline[(i + 1) % p.outline.size()];
                    if (a.x() == c.x() || x < std::min(a.x(), c.x()) || x > std::max(a.x(), c.x()))
                        continue;
                    const double y = a.y() + (c.y() - a.y()) * (x - a.x()) / (c.x() - a.x());
                    t = std::min(t, y);
                    b = std::max(b, y);
                }
                if (t <= b) {
                    top = t;
                    bottom = b;
                    over = &p;
                }
            }
            ASSERT_NE(over, nullptr) << r.name << " x " << x;
            EXPECT_NEAR(top, std::min(stroke.y1, stroke.y2) - 0.5, 0.5 + 1e-6) << r.name << x;
            EXPECT_NEAR(bottom, std::max(stroke.y1, stroke.y2) + 0.5, 0.5 + 1e-6) << r.name << x;
            const auto &stops = over->stops;
            auto next = std::find_if(stops.begin(), stops.end(),
                                     [x](const ui::ColourStop &c) { return c.x >= x; });
            ASSERT_NE(next, stops.end()) << r.name << x;
            const auto previous = next == stops.begin() ? next : next - 1;
            const double t =
                next->x == previous->x ? 0 : (x - previous->x) / (next->x - previous->x);
            const auto level = [t](int a, int b) { return a + t * (b - a); };
            EXPECT_NEAR(level(qRed(previous->colour), qRed(next->colour)), qRed(stroke.colour), 1)
                << r.name << x;
            EXPECT_NEAR(level(qBlue(previous->colour), qBlue(next->colour)), qBlue(stroke.colour),
                        1)
                << r.name << x;
        }
    }
}

TEST(ConstructionRays, ExistingRaysOfTheDefaultBenchInTheRayColour) {
    const Figure f(benchWith());
    EXPECT_FALSE(f.result.warningShown);
    EXPECT_TRUE(f.linesIn(NonExistentRayColour, DashStyle::Solid).empty());
    EXPECT_FALSE(f.hasText(warningText()));
    // B = (0, 97), L1 at 189, B' = (566, 210): parallel ray, ray through O, ray through F.
    const auto rays = f.linesIn(Black.ray, DashStyle::Solid);
    const auto has = [&](double xa, double ya, double xb, double yb) {
        return std::any_of(rays.begin(), rays.end(),
                           [&](const Line &l) { return joins(l, xa, ya, xb, yb); });
    };
    EXPECT_TRUE(has(0, 97, 189, 97));     // parallel to the axis
    EXPECT_TRUE(has(0, 97, 189, 135));    // to O
    EXPECT_TRUE(has(0, 97, 189, 210));    // through F to the lens at the height of B'
    EXPECT_TRUE(has(189, 210, 775, 210)); // then parallel to the axis
    // A real image: nothing dotted in the ray colour.
    EXPECT_TRUE(f.linesIn(Black.ray, DashStyle::Dotted).empty());
}

TEST(ConstructionRays, RayMissingTheLensIsRedOnlyWhenAsked) {
    // Over a half-height of 8, an object 9 high sends its parallel ray above L1; one exactly 8
    // high sends it through the lens edge, an ordinary ray. The ray through F is left out: it
    // misses the lens for both heights.
    const struct {
        const char *height;
        bool misses;
    } heights[] = {{"9,0", true}, {"8,0", false}};
    for (const auto &h : heights) {
        for (bool showOutside : {false, true}) {
            const Figure f(benchWith([&](BenchState &s) {
                setFieldText(s, ObjectHeight, QString::fromLatin1(h.height));
                setOption(s, RayThroughF1, false);
                setOption(s, ShowOutsideRays, showOutside);
            }));
            const double yb = f.layout.YB;
            const auto red = f.linesIn(NonExistentRayColour, DashStyle::Solid);
            const auto horizontalFromB = [&](const Line &l) { return joins(l, 0, yb, 189, yb); };
            const bool warned = h.misses && showOutside;
            EXPECT_EQ(f.result.warningShown, warned) << h.height;
            EXPECT_EQ(f.hasText(warningText()), warned) << h.height;
            EXPECT_EQ(std::any_of(red.begin(), red.end(), horizontalFromB), warned) << h.height;
            const auto normal = f.linesIn(Black.ray, DashStyle::Solid);
            EXPECT_EQ(std::any_of(normal.begin(), normal.end(), horizontalFromB), !h.misses)
                << h.height;
            if (warned) {
                const auto &t =
                    *std::find_if(f.surface.texts.begin(), f.surface.texts.end(),
                                  [](const auto &t) { return t.text == warningText(); });
                EXPECT_EQ(t.colour, NonExistentRayColour);
                EXPECT_EQ(t.x, 775 - 24 - RecordingSurface::CharWidth * warningText().size());
                EXPECT_EQ(t.y, 6);
            }
        }
    }
}

TEST(ConstructionRays, NoRayThroughFWhenTheObjectIsInTheFocalPlane) {
    const auto incidentFromB = [](const Figure &f) {
        return f
            .lines([&](const Line &l) {
                return l.colour == Black.ray && starts(l, f.layout.XA, f.layout.YB) &&
                       l.x2 == f.layout.X1;
            })
            .size();
    };
    EXPECT_EQ(incidentFromB(Figure(benchWith())), 3u);
    const Figure focal(benchWith([](BenchState &s) { setFieldText(s, ObjectPosition, "5,0"); }));
    EXPECT_EQ(incidentFromB(focal), 2u); // parallel and through O
    EXPECT_FALSE(focal.result.warningShown);
}

TEST(ConstructionRays, VirtualImageGetsDottedExtensionsBackToB1) {
    // Object at 10 between F and L1 (15, f 10): upright virtual image at 5 cm, height 6.
    for (bool extend : {true, false}) {
        const Figure f(benchWith([&](BenchState &s) {
            setFieldText(s, ObjectPosition, "10,0");
            setOption(s, ExtendRays, extend);
        }));
        const FigureLayout &l = f.layout;
        ASSERT_LT(l.XA1, l.X1);
        const auto dotted = f.linesIn(Black.ray, DashStyle::Dotted);
        if (!extend) {
            EXPECT_TRUE(dotted.empty());
            continue;
        }
        ASSERT_EQ(dotted.size(), 3u);
        EXPECT_TRUE(joins(dotted[0], l.XA1, l.YB1, l.X1, l.YB));  // parallel ray
        EXPECT_TRUE(joins(dotted[1], l.XA1, l.YB1, l.XA, l.YB));  // through O, back to B
        EXPECT_TRUE(joins(dotted[2], l.XA1, l.YB1, l.X1, l.YB1)); // through F
        // The virtual image itself: a dotted stem in the object colour.
        const auto stems = f.linesIn(Black.object, DashStyle::Dotted);
        ASSERT_EQ(stems.size(), 1u);
        EXPECT_TRUE(joins(stems[0], l.XA1, l.YB1, l.XA1, 135));
    }
}

TEST(ConstructionRays, RaysOfL2ThroughItsCentreAndFocus) {
    const Figure f(benchWith([](BenchState &s) {
        for (int o : {TwoLenses, RayThroughO2, RayThroughF2, RayParallel2, ShowOutsideRays})
            setOption(s, o, true);
        for (int o : {RayParallel1, RayThroughO1, RayThroughF1})
            setOption(s, o, false);
    }));
    const FigureLayout &l = f.layout;
    // The rays through O2 and through the focus of L2 would meet the plane of L1 far outside the
    // lens (66 and 20 cm from the axis): red.
    EXPECT_TRUE(f.result.warningShown);
    auto rays = f.linesIn(Black.ray, DashStyle::Solid);
    EXPECT_FALSE(rays.empty());
    for (const Line &red : f.linesIn(NonExistentRayColour, DashStyle::Solid))
        rays.push_back(red);
    const auto has = [&](const std::function<bool(const Line &)> &p) {
        return std::any_of(rays.begin(), rays.end(), p);
    };
    // Through O2 undeviated; through the focus of L2, parallel to the axis at the height of B2;
    // parallel between the lenses at the height of B1.
    EXPECT_TRUE(has([&](const Line &r) { return r.x2 == l.X2 && r.y2 == 135 && r.x1 == l.X1; }));
    EXPECT_TRUE(has([&](const Line &r) { return joins(r, l.X2, l.YB2, 775, l.YB2); }));
    EXPECT_TRUE(has([&](const Line &r) { return joins(r, l.X1, l.YB1, l.X2, l.YB1); }));
    // The final image (43,7 cm) lies left of L2: each ray is extended back to B2.
    auto dotted = f.linesIn(Black.ray, DashStyle::Dotted);
    for (const Line &red : f.linesIn(NonExistentRayColour, DashStyle::Dotted))
        dotted.push_back(red);
    EXPECT_EQ(std::count_if(dotted.begin(), dotted.end(),
                            [&](const Line &r) { return starts(r, l.XA2, l.YB2); }),
              3);
}

TEST(FigureUpdate, EverySwitchOffLeavesAxisLensAndObject) {
    const Figure f(benchWith([](BenchState &s) {
        for (int o = 0; o < OptionCount; ++o)
            setOption(s, o, false);
    }));
    ASSERT_TRUE(f.result.drawn);
    EXPECT_EQ(f.surface.clearCount, 1);
    EXPECT_EQ(f.surface.background, Black.background);
    // The axis, the five strokes of the lens, the three of the arrow AB.
    EXPECT_EQ(f.linesIn(Black.foreground, DashStyle::Solid).size(), 1u + 5u);
    EXPECT_EQ(f.linesIn(Black.object, DashStyle::Solid).size(), 3u);
    EXPECT_EQ(f.surface.lines.size(), 9u);
    QStringList texts;
    for (const auto &t : f.surface.texts)
        texts << t.text;
    EXPECT_EQ(texts, QStringList({"O", "B", "A"}));
    EXPECT_TRUE(joins(f.surface.lines[0], 0, 135, 755, 135));
}

TEST(FigureUpdate, SecondLensOnlyWithItsSwitch) {
    for (bool two : {false, true}) {
        const Figure f(benchWith([&](BenchState &s) { setOption(s, TwoLenses, two); }));
        const FigureLayout &l = f.layout;
        const auto lensStems = f.lines([&](const Line &r) {
            return r.colour == Black.foreground && r.x1 == r.x2 && r.y1 < 100 && r.y2 > 170;
        });
        ASSERT_EQ(lensStems.size(), two ? 2u : 1u);
        EXPECT_EQ(f.state.lowerReadoutsVisible, two);
        EXPECT_EQ(f.result.lens2HandleVisible, two);
        EXPECT_EQ(f.hasText("2"), two); // subscripts of O2, F2, F'2
        if (two) {
            // L2 reaches at least as far as L1 and receives the beam leaving it.
            EXPECT_EQ(lensStems[1].x1, l.X2);
            EXPECT_GE(l.R2, l.R1);
            EXPECT_EQ(f.state.readouts[2], "43,7 cm");
        }
    }
}

TEST(FigureUpdate, SecondLensReceivesTheBeamOfAnUprightVirtualImage) {
    // Object at 10 cm, 2 high, before the focus of L1 (15 cm, focal 10): B1 at 5 cm, 4 high,
    // upright and virtual. From the lower edge of L1 (-4) towards B1, the beam reaches -8 at L2.
    const Figure f(benchWith([](BenchState &s) {
        setOption(s, TwoLenses, true);
        setFieldText(s, ObjectPosition, QStringLiteral("10,0"));
        setFieldText(s, ObjectHeight, QStringLiteral("2,0"));
        setFieldText(s, Lens1Position, QStringLiteral("15,0"));
        setFieldText(s, Lens1Focal, QStringLiteral("10,0"));
        setFieldText(s, Lens2Position, QStringLiteral("20,0"));
        setFieldText(s, Lens1Diameter, QStringLiteral("4,0"));
    }));
    const FigureLayout &l = f.layout;
    EXPECT_NEAR(f.state.image1Position, 5, 1e-4);
    EXPECT_NEAR(f.state.image1Height, 4, 1e-4);
    EXPECT_NEAR(l.d2, 8, 1e-4);
    EXPECT_EQ(l.R2, drawingCoordinate(8 * l.scale));
}

TEST(FigureUpdate, ObjectAtInfinityEntersFromTheLeftEdge) {
    const Figure f(benchWith([](BenchState &s) { setObjectAtInfinity(s, true); }));
    const FigureLayout &l = f.layout;
    EXPECT_FALSE(f.state.parallelRay1Enabled);
    EXPECT_EQ(f.state.apparentDiameterLabel, QString::fromUtf8("10,0°"));
    // The object stands left of the visible surface.
    EXPECT_EQ(l.XA, -20);
    const auto object = f.linesIn(Black.object, DashStyle::Solid);
    EXPECT_TRUE(std::any_of(object.begin(), object.end(),
                            [](const Line &r) { return joins(r, -20, r.y1, -20, 135); }));
    // The beam starts at the left edge.
    EXPECT_EQ(f.beamStrokes().front().x1, -10);
    // Two rays (no parallel ray) from outside the surface, parallel to each other.
    const auto incident = f.lines(
        [&](const Line &r) { return r.colour == Black.ray && r.x1 == -20 && r.x2 == l.X1; });
    ASSERT_EQ(incident.size(), 2u);
    EXPECT_EQ(incident[0].y2 - incident[0].y1, incident[1].y2 - incident[1].y1);
    EXPECT_EQ(incident[0].y2, 135);   // through O
    EXPECT_EQ(incident[1].y2, l.YB1); // through F, meeting L1 at the height of B'
    // The image lies in the image focal plane: at [s × f1] right of L1.
    EXPECT_EQ(l.XA1, l.X1 + std::nearbyint(10 * l.scale));
}

TEST(FigureUpdate, WhiteBackgroundRedrawsInItsColours) {
    const Figure f(benchWith([](BenchState &s) { setOption(s, WhiteBackground, true); }));
    EXPECT_EQ(f.surface.background, qRgb(255, 255, 255));
    EXPECT_TRUE(f.linesIn(Black.foreground, DashStyle::Solid).empty());
    EXPECT_TRUE(f.linesIn(Black.ray, DashStyle::Solid).empty());
    EXPECT_FALSE(f.linesIn(White.ray, DashStyle::Solid).empty());
    EXPECT_FALSE(f.linesIn(White.object, DashStyle::Solid).empty());
    const auto foreground = f.linesIn(White.foreground, DashStyle::Solid);
    EXPECT_TRUE(std::any_of(foreground.begin(), foreground.end(),
                            [](const Line &l) { return joins(l, 0, 135, 755, 135); }));
}

TEST(FigureUpdate, HandlesOverObjectAndLenses) {
    const Figure f(benchWith());
    EXPECT_EQ(f.result.objectHandle, QRectF(-8.5, 97, 17, 38));
    EXPECT_EQ(f.result.lens1Handle, QRectF(189 - 8.5, 34, 17, 202));
    EXPECT_EQ(f.state.readouts[0], "45,0 cm");
    EXPECT_EQ(f.state.readouts[1], "-6,0 cm");
    EXPECT_FALSE(f.state.lowerReadoutsVisible);
    // On a wide surface the elements grow taller than the space above the axis, the handles
    // stop at 135 units.
    const Figure tall(benchWith([](BenchState &s) {
                          setFieldText(s, ObjectHeight, "10,0");
                          setFieldText(s, Lens1Diameter, "10,0");
                      }),
                      1900);
    ASSERT_GT(tall.layout.HB, 135);
    EXPECT_EQ(tall.result.objectHandle.height(), 135);
    EXPECT_EQ(tall.result.lens1Handle.top(), 0);
    EXPECT_EQ(tall.result.lens1Handle.height(), 270);
}

TEST(FigureUpdate, ObjectAtTheLensChangesNothing) {
    BenchState s = benchWith();
    setFieldText(s, ObjectPosition, s.fields[Lens1Position]); // no position test
    RecordingSurface surface;
    const FigureResult r = majaff(s, surface);
    EXPECT_FALSE(r.drawn);
    EXPECT_EQ(surface.clearCount, 0);
    EXPECT_TRUE(surface.lines.empty());
}
