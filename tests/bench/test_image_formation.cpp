#include "bench/BenchControls.h"
#include "bench/FieldBounds.h"
#include "bench/ImageFormation.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace bench;

namespace {

constexpr double Width = 775;

BenchState benchWith(std::initializer_list<std::pair<int, const char *>> edits, bool two = false) {
    BenchState s = BenchState::startup();
    for (const auto &[field, text] : edits)
        setFieldText(s, field, QString::fromUtf8(text));
    setOption(s, TwoLenses, two);
    testpos(s);
    return s;
}

} // namespace

TEST(ImageFormation, DefaultBenchGivesARealInvertedImage) {
    BenchState s = BenchState::startup();
    const ImageWork w = updateBench(s, Width);
    EXPECT_FLOAT_EQ(s.drawScale, 755.0f / 60);
    EXPECT_DOUBLE_EQ(w.p1, -15);
    EXPECT_DOUBLE_EQ(w.q1, 30);
    EXPECT_FLOAT_EQ(s.image1Position, 45);
    EXPECT_DOUBLE_EQ(s.image1Height, -6);
    EXPECT_EQ(s.readouts[0], "45,0 cm");
    EXPECT_EQ(s.readouts[1], "-6,0 cm");
    EXPECT_FALSE(s.lowerReadoutsVisible);
}

TEST(ImageFormation, VirtualImageAndFocalPlane) {
    // Object between F and L1: virtual upright image.
    BenchState s = benchWith({{ObjectPosition, "10"}});
    updateBench(s, Width);
    EXPECT_FLOAT_EQ(s.image1Position, 5);
    EXPECT_NEAR(s.image1Height, 6, 1e-9);
    EXPECT_EQ(s.readouts[0], "5,0 cm");
    EXPECT_EQ(s.readouts[1], "6,0 cm");

    // Object in the focal plane: nudged outside the focus, image far away.
    s = benchWith({{ObjectPosition, "5"}});
    const ImageWork w = updateBench(s, Width);
    EXPECT_DOUBLE_EQ(w.p1, -10.0001);
    EXPECT_GT(w.q1, 999000);
    EXPECT_EQ(s.readouts[0], "Hors limites");
    EXPECT_EQ(s.readouts[1], "Hors limites");
}

TEST(ImageFormation, ObjectAtInfinityImagesInTheFocalPlane) {
    BenchState s = BenchState::startup();
    setObjectAtInfinity(s, true);
    const ImageWork w = updateBench(s, Width);
    EXPECT_FLOAT_EQ(s.image1Position, 25);
    EXPECT_NEAR(s.image1Height, -10 * std::tan(10 * 0.017453292), 1e-9);
    EXPECT_EQ(s.readouts[1], "-1,8 cm");
    // The object stands left of the visible figure, twice the left edge away.
    EXPECT_LT(w.xA * s.drawScale, -10);
    EXPECT_NEAR(w.xA * s.drawScale, -20, 1e-3);
    // The ray from B through O1 makes the apparent diameter with the axis.
    EXPECT_NEAR(w.h / (w.x1 - w.xA), std::tan(10 * 0.017453292), 1e-6);
}

TEST(ImageFormation, TwoLensesChainTheImages) {
    BenchState s = benchWith({}, true);
    updateBench(s, Width);
    EXPECT_NEAR(s.image2Position, 43.714286, 1e-4);
    EXPECT_NEAR(s.image2Height, -8.571429, 1e-6);
    EXPECT_TRUE(s.lowerReadoutsVisible);
    EXPECT_EQ(s.readouts[2], "43,7 cm");
    EXPECT_EQ(s.readouts[3], "-8,6 cm");

    // With one lens the second image is still computed but not shown.
    setOption(s, TwoLenses, false);
    updateBench(s, Width);
    EXPECT_FALSE(s.lowerReadoutsVisible);
    EXPECT_NEAR(s.image2Position, 43.714286, 1e-4);
}

TEST(ImageFormation, NudgesAvoidDivisionsByZero) {
    // The image of L1 exactly on L2: L2 is moved by 0,0001 for this computation only.
    BenchState s = benchWith({{Lens2Position, "45"}}, true);
    ImageWork w = updateBench(s, Width);
    EXPECT_TRUE(std::isfinite(s.image2Position) && std::isfinite(s.image2Height));
    EXPECT_FLOAT_EQ(w.x2, 45.0001f);
    EXPECT_EQ(s.fields[Lens2Position], "45,0");

    // The image of L1 in the object focal plane of L2: the final image lies far to the right.
    s = benchWith({{Lens2Position, "55"}}, true);
    w = updateBench(s, Width);
    EXPECT_GE(w.q2, 1e6);
    EXPECT_EQ(s.readouts[2], "Hors limites");
    EXPECT_EQ(s.readouts[3], "Hors limites");
    EXPECT_EQ(s.readouts[0], "45,0 cm");

    // The object exactly at L1 (only reachable without the position test): nothing is computed
    // and the read-outs stay as they were.
    s = BenchState::startup();
    updateBench(s, Width);
    s.fields[ObjectPosition] = "15,0";
    w = updateBench(s, Width);
    EXPECT_TRUE(w.objectAtLens);
    EXPECT_EQ(s.readouts[0], "45,0 cm");
}
