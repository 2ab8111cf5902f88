// One quantity against another: which pixel each sample lands on, the axes'
// ranges, the span, and the time-at-level histogram.
#include "plot/XYPlot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/analysis/AnalysisTestData.h"

namespace tavix {
namespace {

using test::MakeAnalysisRecord;

TEST(XYAxisRange, RestingQuantitiesStartAtZeroOthersGetRoomOnBothSides) {
    struct Case {
        int quantity;
        float low, high, min, max;
    };
    const Case cases[] = {
        {kMotorRpm, 1548.0f, 11548.0f, 0.0f, 12125.4f},  // a stopped motor reads 0
        {kThrottle, 0.0f, 100.0f, 0.0f, 105.0f},
        {kVoltage, 20.0f, 24.0f, 19.8f, 24.2f},
        {kCurrent, -2.0f, 18.0f, -3.0f, 19.0f},      // running backwards: below 0 too
        {kTemperature, 30.0f, 30.0f, 29.0f, 31.0f},  // flat: widened
        {kVoltage, 1.0f, 0.0f, 0.0f, 1.0f},          // no values
    };
    for (const Case& c : cases) {
        const AxisRange range = XYAxisRange(c.quantity, c.low, c.high);
        EXPECT_FLOAT_EQ(range.min, c.min) << c.quantity << " " << c.low;
        EXPECT_FLOAT_EQ(range.max, c.max) << c.quantity << " " << c.low;
    }
}

// Throttle 0-99 % in steps of 1 % (raw 2 j), current 0.5 A per sample.
std::unique_ptr<FlightData> Ramp(int samples, int rate) {
    return MakeAnalysisRecord(5, samples, rate, [](int ch, int j) {
        return ch == kThrottle ? 2 * j : ch == kCurrent ? j : ch == kVoltage ? 120 : 0;
    });
}

TEST(XYPlot, EachFlightCoversThePixelsOfItsPairsOncePerPixelWithinItsSpan) {
    const auto a = Ramp(100, 10);
    const auto b = Ramp(50, 5);
    const SpanIndex ia(*a);
    const SpanIndex ib(*b);
    XYPlot plot;
    plot.SetAxes(kThrottle, kCurrent);
    plot.SetFlights({{&ia}, {&ib, 10, 19}});
    plot.Place(200, 100);
    EXPECT_FLOAT_EQ(plot.XRange().min, 0.0f);
    EXPECT_FLOAT_EQ(plot.XRange().max, 99.0f * 1.05f);
    ASSERT_TRUE(plot.HasPoints());
    // Every point of a flight is a pixel of its own, inside the plot.
    for (int k = 0; k < 2; ++k) {
        std::set<std::pair<int, int>> pixels;
        for (const PlotPoint& p : plot.Points(k)) {
            EXPECT_TRUE(p.x >= 0 && p.x < 200 && p.y >= 0 && p.y < 100);
            EXPECT_TRUE(pixels.insert({p.x, p.y}).second);
        }
    }
    // The span: samples 10-19 of b only, throttle 10-19 %, left of a's end.
    const auto bx = plot.Points(1);
    ASSERT_EQ(bx.size(), 10u);
    const auto [low, high] = std::minmax_element(
        bx.begin(), bx.end(), [](const PlotPoint& p, const PlotPoint& q) { return p.x < q.x; });
    EXPECT_EQ(low->x, 19);  // 10 % of 103.95 % over 199 columns
    EXPECT_EQ(high->x, 36);
    // The first sample (0 %, 0 A) at the bottom left.
    EXPECT_EQ(plot.Points(0)[0], (PlotPoint{0, 99}));
}

TEST(XYPlot, TheHistogramHoldsTheSecondsOfEachLevelOfX) {
    const auto a = Ramp(100, 10);
    const SpanIndex ia(*a);
    XYPlot plot;
    plot.SetAxes(kThrottle, kCurrent);
    plot.SetFlights({{&ia}});
    plot.Place(0, 0);  // no room to draw: the histogram still counts
    const auto& bins = plot.Histogram(0);
    double total = 0.0;
    for (const double seconds : bins) {
        total += seconds;
    }
    EXPECT_DOUBLE_EQ(total, 10.0);  // 100 samples at 10 a second
    // Bins of 103.95 / 20 = 5.1975 %: 0-5 % in the first, 6-10 % in the second.
    EXPECT_DOUBLE_EQ(bins[0], 0.6);
    EXPECT_DOUBLE_EQ(bins[1], 0.5);
    EXPECT_DOUBLE_EQ(plot.HistogramPeak(), *std::max_element(bins.begin(), bins.end()));

    // A quantity the record lacks draws and counts nothing.
    plot.SetAxes(kThrottle, 6);
    EXPECT_FALSE(plot.HasPoints());
    EXPECT_DOUBLE_EQ(plot.HistogramPeak(), 0.0);
}

}  // namespace
}  // namespace tavix
