#include "mainwindow/TabLayout.h"

#include "bench/FieldNumberText.h"

namespace mainwindow {

namespace {
int roundToInt(double v) {
    return int(bench::roundHalfEven(v));
}
} // namespace

TabLayout layoutTabs(const std::array<std::array<double, 2>, TabCount> &captionWidths,
                     int currentTab, double width) {
    auto captionWidth = [&](int tab) { return captionWidths[tab - 1][tab == currentTab ? 1 : 0]; };
    int total = 0;
    for (int i = 1; i <= TabCount; ++i)
        total = roundToInt(total + captionWidth(i));
    TabLayout layout;
    layout.gap = (width - total) / 8;
    layout.edges[0] = -1;
    for (int i = 1; i < TabCount; ++i)
        layout.edges[i] = roundToInt(layout.edges[i - 1] + captionWidth(i) + 2 * layout.gap);
    layout.edges[TabCount] = roundToInt(width);
    return layout;
}

int tabAt(const TabLayout &layout, int x, int y) {
    if (y < 0 || y > TabHeaderRowHeight) return -1;
    int selected = 0;
    for (int i = 1; i <= TabCount; ++i)
        if (layout.edges[i - 1] < x && x <= layout.edges[i]) selected = i;
    return selected;
}

} // namespace mainwindow
