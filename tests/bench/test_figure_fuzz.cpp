#include "bench/BenchControls.h"
#include "bench/FieldBounds.h"
#include "bench/figure/FigureUpdate.h"
#include "ui/RecordingSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace bench;

// Random benches, as a user could reach them with the controls, must always give a figure:
// finite coordinates, a bounded number of strokes, handles within their limits.
TEST(FigureFuzz, RandomBenchesAlwaysGiveAFigure) {
    std::mt19937 rng(1208);
    int drawn = 0;
    const char *numbers[] = {"0",     "-5",   "0,0001", "0,1",  "1",    "4,9",   "5",
                             "9,99",  "10",   "10,01",  "15",   "29,9", "30",    "45",
                             "59,85", "60",   "100",    "2999", "3000", "1e4",   "abc",
                             "",      "0,05", "7,5",    "20",   "20,1", "40,05", "4999"};
    const double widths[] = {21, 120, 775, 1900};
    for (int round = 0; round < 1500; ++round) {
        BenchState s = BenchState::startup();
        const int steps = int(rng() % 13);
        for (int i = 0; i < steps; ++i)
            axisLengthButton(s, 1);
        selectPrecision(s, int(rng() % 3));
        for (int k = 0; k < OptionCount; ++k)
            setOption(s, k, rng() % 2);
        setObjectAtInfinity(s, rng() % 4 == 0);
        setApparentDiameter(s, 1 + int(rng() % 300));
        setArrowPosition(s, 1 + int(rng() % 9));
        setLens1DiameterSlider(s, 5 + int(rng() % (s.lens1DiameterTenthsMax - 4)));
        for (int k = 0; k < FieldCount; ++k)
            if (rng() % 2)
                setFieldText(s, k, QString::fromLatin1(numbers[rng() % std::size(numbers)]));
        testpos(s);

        const double width = widths[rng() % std::size(widths)];
        ui::RecordingSurface surface(width, 265);
        const FigureResult r = majaff(s, surface);
        ASSERT_LT(surface.lines.size(), 20 * size_t(width) + 1000) << round;
        for (const auto &l : surface.lines)
            ASSERT_TRUE(std::isfinite(l.x1) && std::isfinite(l.y1) && std::isfinite(l.x2) &&
                        std::isfinite(l.y2))
                << round;
        for (const auto &t : surface.texts)
            ASSERT_TRUE(std::isfinite(t.x) && std::isfinite(t.y)) << round;
        if (r.drawn) {
            ++drawn;
            EXPECT_LE(r.objectHandle.height(), HandleHeightLimit);
            EXPECT_LE(r.lens1Handle.height(), 2 * HandleHeightLimit);
        }
        for (const QString &readout : s.readouts)
            EXPECT_FALSE(readout.contains(u'n') && readout != QLatin1String("Hors limites"))
                << readout.toStdString(); // no "nan" or "inf"
    }
    EXPECT_GT(drawn, 1400);
}
