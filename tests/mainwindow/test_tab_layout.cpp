#include "mainwindow/TabLayout.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace mainwindow;

namespace {

// Caption widths of the four tabs, regular and bold.
const std::array<std::array<double, 2>, TabCount> Widths = {
    {{{80.4, 88.6}}, {{42.2, 47.5}}, {{44.1, 49.9}}, {{60.3, 67.0}}}};

TEST(TabLayout, HeadersShareTheWidthWithEqualGaps) {
    const TabLayout l = layoutTabs(Widths, 1, 409);
    // total = 89 (88,6) + 47 (42,2) + 91 + 151: rounded after each addition.
    const int total = 89 + 42 + 44 + 60; // 235, each sum rounded
    EXPECT_DOUBLE_EQ(l.gap, (409 - total) / 8.0);
    EXPECT_EQ(l.edges[0], -1);
    EXPECT_EQ(l.edges[1], int(std::lround(-1 + 88.6 + 2 * l.gap)));
    EXPECT_EQ(l.edges[4], 409);
    for (int i = 1; i <= TabCount; ++i)
        EXPECT_LT(l.edges[i - 1], l.edges[i]);
    // Selecting another tab measures that caption in bold instead.
    const TabLayout second = layoutTabs(Widths, 2, 409);
    EXPECT_LT(second.edges[1], l.edges[1]);
}

TEST(TabLayout, HitTestUsesTheFifteenPixelHeaderRow) {
    const TabLayout l = layoutTabs(Widths, 1, 409);
    EXPECT_EQ(tabAt(l, 0, 0), 1);
    EXPECT_EQ(tabAt(l, l.edges[1], 15), 1); // a right edge belongs to its header
    EXPECT_EQ(tabAt(l, l.edges[1] + 1, 15), 2);
    EXPECT_EQ(tabAt(l, l.edges[3] + 1, 3), 4);
    EXPECT_EQ(tabAt(l, 500, 3), 0);
    EXPECT_EQ(tabAt(l, 50, 16), -1);
    EXPECT_EQ(tabAt(l, 50, -1), -1);
}

} // namespace
