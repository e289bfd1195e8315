#include "bench/BenchControls.h"
#include "bench/FieldBounds.h"

#include <gtest/gtest.h>

using namespace bench;

namespace {

struct Edit {
    int field;
    const char *text;
};

// The start-up bench with some field texts typed in, then the position test.
BenchState typedThenTested(std::initializer_list<Edit> edits, int precision = 0) {
    BenchState s = BenchState::startup();
    selectPrecision(s, precision);
    for (const Edit &e : edits)
        setFieldText(s, e.field, QString::fromUtf8(e.text));
    testpos(s);
    return s;
}

} // namespace

TEST(PositionTest, ReplacesAndCapsEachField) {
    struct Row {
        const char *name;
        std::initializer_list<Edit> edits;
        int field;
        const char *expected;
    };
    const Row rows[] = {
        {"unreadable height becomes 0 then 0,1", {{ObjectHeight, "abc"}}, ObjectHeight, "0,1"},
        {"empty focal", {{Lens1Focal, ""}}, Lens1Focal, "1,0"},
        {"negative focal", {{Lens2Focal, "-4"}}, Lens2Focal, "1,0"},
        {"small focal stays", {{Lens1Focal, "0,5"}}, Lens1Focal, "0,5"},
        {"huge focal", {{Lens1Focal, "5000"}}, Lens1Focal, "3000,0"},
        {"point read as comma", {{Lens1Focal, "2.5"}}, Lens1Focal, "2,5"},
        {"negative object", {{ObjectPosition, "-3"}}, ObjectPosition, "0,0"},
        {"L1 beyond the axis", {{Lens1Position, "75"}}, Lens1Position, "59,9"},
        {"L2 beyond the axis", {{Lens2Position, "75"}}, Lens2Position, "60,0"},
        {"object beyond the axis", {{ObjectPosition, "70"}}, ObjectPosition, "59,8"},
        {"tall object", {{ObjectHeight, "50"}}, ObjectHeight, "10,1"},
        {"zero diameter", {{Lens1Diameter, "0"}}, Lens1Diameter, "0,5"},
        {"zero L1 position", {{Lens1Position, "0"}, {ObjectPosition, "0"}}, Lens1Position, "0,1"},
        {"overflowing text", {{Lens1Focal, "1e99"}}, Lens1Focal, "1,0"},
        {"rounding", {{ObjectHeight, "2,96"}}, ObjectHeight, "3,0"},
    };
    for (const Row &r : rows) {
        const BenchState s = typedThenTested(r.edits);
        EXPECT_EQ(s.fields[r.field], QString::fromUtf8(r.expected)) << r.name;
    }
}

TEST(PositionTest, KeepsLensesRightOfTheObjectInOrder) {
    // The object at 20 pushes L1 to 20,1, which pushes L2 to 20,2.
    BenchState s = typedThenTested({{ObjectPosition, "20"}, {Lens2Position, "18"}});
    EXPECT_EQ(s.fields[Lens1Position], "20,1");
    EXPECT_EQ(s.fields[Lens2Position], "20,2");

    // An object at the end of the axis pushes both lenses to its end.
    s = typedThenTested({{ObjectPosition, "70"}, {Lens1Position, "30"}});
    EXPECT_EQ(s.fields[ObjectPosition], "59,8");
    EXPECT_EQ(s.fields[Lens1Position], "59,9");
    EXPECT_EQ(s.fields[Lens2Position], "60,0");

    // Lenses already in order are left alone.
    s = typedThenTested({{ObjectPosition, "5"}, {Lens1Position, "5,1"}, {Lens2Position, "5,2"}});
    EXPECT_EQ(s.fields[Lens1Position], "5,1");
    EXPECT_EQ(s.fields[Lens2Position], "5,2");
}

TEST(PositionTest, WritesTheChosenNumberOfDecimals) {
    const BenchState s = typedThenTested({{ObjectHeight, "2,345"}}, 1);
    EXPECT_EQ(s.fields[Lens1Position], "15,00");
    EXPECT_EQ(s.fields[ObjectHeight], "2,35");
    EXPECT_EQ(s.fields[ObjectPosition], "0,00");
    const BenchState t = typedThenTested({{ObjectHeight, "50"}}, 2);
    EXPECT_EQ(t.fields[ObjectHeight], "10,125");
}

TEST(PositionTest, IsStableOnItsOwnResult) {
    BenchState s = typedThenTested({{ObjectPosition, "59"},
                                    {Lens1Position, "1"},
                                    {Lens1Diameter, "99"},
                                    {ObjectHeight, "-2"}});
    const auto once = s.fields;
    testpos(s);
    EXPECT_EQ(s.fields, once);
}
