#include "bench/BenchControls.h"
#include "bench/BenchState.h"
#include "bench/FieldBounds.h"

#include <gtest/gtest.h>

using namespace bench;

TEST(BenchState, StartupShowsTheDefaultBench) {
    const BenchState s = BenchState::startup();
    const std::array<QString, 8> fields = {"15,0", "10,0", "48,0", "10,0",
                                           "0,0",  "3,0",  "8,0",  "8,0"};
    EXPECT_EQ(s.fields, fields);
    const bool on[] = {1, 1, 1, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1};
    for (int k = 0; k < OptionCount; ++k)
        EXPECT_EQ(s.options[k], on[k]) << k;
    EXPECT_EQ(s.axisLength, 60);
    EXPECT_EQ(s.axisLengthLabel, "60 cm");
    EXPECT_EQ(s.precisionIndex, 0);
    EXPECT_EQ(s.precisionLabel, "-1");
    EXPECT_EQ(s.lens1DiameterTenths, 80);
    EXPECT_EQ(s.lens1DiameterTenthsMax, 101);
    EXPECT_EQ(s.arrowPositionTenths, 5);
    EXPECT_EQ(s.apparentDiameterLabel, QString::fromUtf8("10,0°"));
    EXPECT_FALSE(s.objectAtInfinity);
    EXPECT_TRUE(s.parallelRay1Enabled);
    EXPECT_FALSE(s.precisionDecreaseEnabled());
    EXPECT_TRUE(s.precisionIncreaseEnabled());
}

TEST(BenchState, AxisLengthStepsThroughItsTable) {
    struct Row {
        int step;
        int length;
        const char *label;
        int sliderMax;
    };
    const Row rows[] = {
        {0, 50, "50 cm", 84},     {1, 60, "60 cm", 101},    {2, 70, "70 cm", 118},
        {3, 80, "80 cm", 135},    {4, 90, "90 cm", 152},    {5, 100, "1 m", 169},
        {6, 200, "2 m", 338},     {7, 300, "3 m", 506},     {8, 400, "4 m", 675},
        {9, 500, "5 m", 844},     {10, 1000, "10 m", 1688}, {11, 2000, "20 m", 3375},
        {12, 5000, "50 m", 8438},
    };
    BenchState s = BenchState::startup();
    // Down to the first step; "-" at step 0 changes nothing.
    axisLengthButton(s, 0);
    axisLengthButton(s, 0);
    EXPECT_EQ(s.axisLengthStep, 0);
    EXPECT_FALSE(s.axisLengthDecreaseEnabled());
    for (const Row &r : rows) {
        EXPECT_EQ(s.axisLengthStep, r.step);
        EXPECT_EQ(s.axisLength, r.length);
        EXPECT_EQ(s.axisLengthLabel, r.label);
        EXPECT_EQ(s.lens1DiameterTenthsMax, r.sliderMax);
        axisLengthButton(s, 1);
    }
    EXPECT_EQ(s.axisLengthStep, 12);
    EXPECT_FALSE(s.axisLengthIncreaseEnabled());
    EXPECT_TRUE(s.axisLengthDecreaseEnabled());
    // With 50 m of axis the lens may be ten times taller, and a field beyond the old bound stays.
    setLens1DiameterSlider(s, 500);
    EXPECT_EQ(s.fields[Lens1Diameter], "50,0");
}

TEST(BenchState, ShorterAxisPullsTheDiameterSliderDown) {
    BenchState s = BenchState::startup();
    ASSERT_TRUE(setLens1DiameterSlider(s, 100));
    EXPECT_EQ(s.fields[Lens1Diameter], "10,0");
    axisLengthButton(s, 0); // 50 cm: the slider holds at most 84
    EXPECT_EQ(s.lens1DiameterTenths, 84);
    EXPECT_EQ(s.fields[Lens1Diameter], "8,4");
    EXPECT_EQ(s.fields[Lens2Diameter], "8,4");
}

TEST(BenchState, BeamSwitchesExcludeOneAnother) {
    BenchState s = BenchState::startup();
    ASSERT_TRUE(s.options[BeamAll]);
    setOption(s, BeamFromA, true);
    EXPECT_TRUE(s.options[BeamFromA]);
    EXPECT_FALSE(s.options[BeamAll]);
    EXPECT_FALSE(s.options[BeamFromB]);
    setOption(s, BeamFromB, true);
    EXPECT_TRUE(s.options[BeamFromB]);
    EXPECT_FALSE(s.options[BeamFromA]);
    // All three may be off.
    setOption(s, BeamFromB, false);
    EXPECT_FALSE(s.options[BeamFromA] || s.options[BeamFromB] || s.options[BeamAll]);
    // Other switches never touch the beams.
    setOption(s, BeamAll, true);
    setOption(s, TwoLenses, true);
    EXPECT_TRUE(s.options[BeamAll]);
}

TEST(BenchState, VirtualImagesSwitchIsGreyedWithoutLosingItsTick) {
    BenchState s = BenchState::startup();
    setOption(s, ShowImages, false);
    EXPECT_FALSE(s.virtualImagesEnabled);
    EXPECT_TRUE(s.options[ShowVirtualImages]);
    setOption(s, ShowImages, true);
    EXPECT_TRUE(s.virtualImagesEnabled);
}

TEST(BenchState, DiameterSliderAndFieldsMirrorEachOther) {
    BenchState s = BenchState::startup();
    ASSERT_TRUE(setLens1DiameterSlider(s, 85));
    EXPECT_EQ(s.fields[Lens1Diameter], "8,5");
    EXPECT_EQ(s.fields[Lens2Diameter], "8,5");
    // The field sets the slider (halves to even)...
    setFieldText(s, Lens1Diameter, "6,25");
    EXPECT_EQ(s.lens1DiameterTenths, 62);
    EXPECT_EQ(s.fields[Lens2Diameter], "6,2");
    // ...unless the value is outside the slider's range: the slider stays, the text is taken.
    setFieldText(s, Lens1Diameter, "40,0");
    EXPECT_EQ(s.lens1DiameterTenths, 62);
    EXPECT_EQ(s.fields[Lens2Diameter], "40,0");
    // L2's diameter always follows L1's, whatever is written into it.
    setFieldText(s, Lens2Diameter, "3,0");
    EXPECT_EQ(s.fields[Lens2Diameter], "40,0");
    // The position test caps the field, which moves the slider to the bound.
    testpos(s);
    EXPECT_EQ(s.fields[Lens1Diameter], "10,1");
    EXPECT_EQ(s.lens1DiameterTenths, 101);
    // Out-of-range slider values are refused.
    EXPECT_FALSE(setLens1DiameterSlider(s, 4));
    EXPECT_FALSE(setLens1DiameterSlider(s, 102));
    EXPECT_FALSE(setArrowPosition(s, 0));
    EXPECT_FALSE(setArrowPosition(s, 10));
    EXPECT_FALSE(setApparentDiameter(s, 301));
    EXPECT_EQ(s.lens1DiameterTenths, 101);
}

TEST(BenchState, PrecisionButtonsRewriteEveryField) {
    BenchState s = BenchState::startup();
    precisionButton(s, 0); // "-" at the first line: nothing
    EXPECT_EQ(s.precisionIndex, 0);
    precisionButton(s, 1);
    EXPECT_EQ(s.fields[Lens1Position], "15,00");
    EXPECT_TRUE(s.precisionDecreaseEnabled() && s.precisionIncreaseEnabled());
    precisionButton(s, 1);
    EXPECT_EQ(s.precisionIndex, 2);
    EXPECT_EQ(s.precisionLabel, "-3");
    EXPECT_EQ(s.fields[ObjectHeight], "3,000");
    EXPECT_FALSE(s.precisionIncreaseEnabled());
    precisionButton(s, 1);
    EXPECT_EQ(s.precisionIndex, 2);
    // No line selected: the format stays, the read-out is empty.
    EXPECT_TRUE(selectPrecision(s, -1));
    EXPECT_EQ(s.precisionLabel, "");
    EXPECT_EQ(s.fields[ObjectHeight], "3,000");
    EXPECT_FALSE(selectPrecision(s, 3));
}

TEST(BenchState, ObjectAtInfinityGreysTheParallelRay) {
    BenchState s = BenchState::startup();
    setObjectAtInfinity(s, true);
    EXPECT_FALSE(s.parallelRay1Enabled);
    EXPECT_TRUE(s.options[RayParallel1]); // keeps its tick
    setApparentDiameter(s, 255);
    EXPECT_EQ(s.apparentDiameterLabel, QString::fromUtf8("25,5°"));
    setObjectAtInfinity(s, false);
    EXPECT_TRUE(s.parallelRay1Enabled);
    EXPECT_EQ(s.fields[ObjectPosition], "0,0"); // the typed fields keep their text
}

TEST(BenchState, ValidationKeepsTheFirstLensAtFiveCentimetresWithABeep) {
    const struct {
        Field field;
        const char *typed;
        int precision;
        bool beeps;
        const char *lens1, *shown;
    } rows[] = {
        {Lens1Position, "3", 0, true, "5,0", "5,0"},
        {Lens1Position, "-", 0, true, "5,0", "5,0"},
        {Lens1Position, "", 1, true, "5,00", "5,00"},
        {Lens1Position, "20", 0, false, "20,0", "20,0"},
        {Lens1Focal, "4000", 0, false, "15,0", "3000,0"},
        {ObjectHeight, "2.25", 1, false, "15,00", "2,25"},
    };
    for (const auto &r : rows) {
        BenchState s = BenchState::startup();
        selectPrecision(s, r.precision);
        setFieldText(s, r.field, QString::fromUtf8(r.typed));
        EXPECT_EQ(validateField(s, r.field), r.beeps) << r.typed;
        EXPECT_EQ(s.fields[Lens1Position], r.lens1) << r.typed;
        EXPECT_EQ(s.fields[r.field], r.shown) << r.typed;
    }
}

TEST(BenchState, DragTurnsTheHandlePositionIntoTheFieldThenTestsPositions) {
    BenchState unscaled = BenchState::startup();
    EXPECT_FALSE(dragTo(unscaled, Lens1Position, 100));
    EXPECT_EQ(unscaled.fields[Lens1Position], "15,0");

    const struct {
        Field field;
        double drawingX;
        const char *object, *lens1, *lens2;
    } rows[] = {
        {Lens1Position, 250, "0,0", "25,0", "48,0"},
        // No 5-cm rule for a drag; the lens stays right of the object.
        {Lens1Position, 12, "0,0", "1,2", "48,0"},
        {Lens1Position, -40, "0,0", "0,1", "48,0"},
        {ObjectPosition, 300, "30,0", "30,1", "48,0"},
        {Lens2Position, 100, "0,0", "15,0", "15,1"},
    };
    for (const auto &r : rows) {
        BenchState s = BenchState::startup();
        s.drawScale = 10;
        EXPECT_TRUE(dragTo(s, r.field, r.drawingX));
        EXPECT_EQ(s.fields[ObjectPosition], r.object) << r.drawingX;
        EXPECT_EQ(s.fields[Lens1Position], r.lens1) << r.drawingX;
        EXPECT_EQ(s.fields[Lens2Position], r.lens2) << r.drawingX;
    }
}

TEST(BenchState, KeyboardMovesGoByPrecisionUnitsThroughTheDragRules) {
    const struct {
        int precisionIndex;
        Field field;
        int units;
        const char *object, *lens1, *lens2;
    } rows[] = {
        {0, Lens1Position, 1, "0,0", "15,1", "48,0"},
        {0, Lens1Position, -10, "0,0", "14,0", "48,0"},
        {1, Lens1Position, 1, "0,00", "15,01", "48,00"},
        {2, Lens2Position, -10, "0,000", "15,000", "47,990"},
        {2, ObjectPosition, 3, "0,003", "15,000", "48,000"},
        // The same bounds and order as a drag: the element pushes its neighbour or stops.
        {0, ObjectPosition, 151, "15,1", "15,2", "48,0"},
        {0, Lens1Position, -200, "0,0", "0,1", "48,0"},
        {0, Lens2Position, -400, "0,0", "15,0", "15,1"},
    };
    for (const auto &r : rows) {
        BenchState s = BenchState::startup();
        selectPrecision(s, r.precisionIndex);
        moveBy(s, r.field, r.units);
        const std::string where = std::to_string(r.field) + " " + std::to_string(r.units);
        EXPECT_EQ(s.fields[ObjectPosition], r.object) << where;
        EXPECT_EQ(s.fields[Lens1Position], r.lens1) << where;
        EXPECT_EQ(s.fields[Lens2Position], r.lens2) << where;
    }
}
