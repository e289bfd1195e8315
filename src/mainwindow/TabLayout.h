#pragma once

#include <array>

namespace mainwindow {

constexpr int TabCount = 4;
// A click selects a tab only on the header row, taken as this high whatever the font.
constexpr int TabHeaderRowHeight = 15;

// Where the four headers of the tab strip stand: each header is as wide as its caption plus two
// equal gaps, and the four share the strip's whole width.
struct TabLayout {
    // edges[0] is −1; edges[i] is the right edge of header i (1 to 4); edges[4] is the width.
    std::array<int, TabCount + 1> edges{};
    double gap = 0; // the space before and after each caption
};

// Lays the headers out for a strip `width` pixels wide. captionWidths[i][bold] is the width of
// caption i + 1 in the regular (0) or bold (1) font; the current tab's caption is measured in
// bold.
TabLayout layoutTabs(const std::array<std::array<double, 2>, TabCount> &captionWidths,
                     int currentTab, double width);

// The tab under a click at (x, y) on the strip: 1 to 4, 0 for a click on the header row beyond
// every header, −1 for a click outside the header row (ignored).
int tabAt(const TabLayout &layout, int x, int y);

} // namespace mainwindow
