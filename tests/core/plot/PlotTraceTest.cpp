// The plot as a list of traces: the power curve is a derived trace of the
// shown flight, and a second flight is laid over the first by adding its
// traces with a time offset.
#include "plot/PlotTrace.h"

#include <gtest/gtest.h>

#include "analysis/SpanIndex.h"
#include "core/analysis/AnalysisTestData.h"
#include "plot/CurveModel.h"

namespace tavix {
namespace {

// The model reads the smoothing windows where they stand, so they outlive it.
const std::array<int, kChannelCount> kWindowsOfOne{1, 1, 1, 1, 1, 1, 1, 1};

// 0.1 V and 0.5 A steps: the voltage rises by 0.1 V per sample, 10 A throughout.
std::unique_ptr<FlightData> Flight(int samples, int volts) {
    return test::MakeAnalysisRecord(kUploadChannels, samples, 5, [volts](int ch, int j) {
        return ch == kVoltage ? volts + j : ch == kCurrent ? 20 : 50;
    });
}

TEST(PlotTrace, PowerIsADerivedTraceWithTheValuesOfTheIndex) {
    const auto flight = Flight(50, 100);
    const SpanIndex index(*flight);
    PlotTrace power{.flight = flight.get(), .quantity = TraceQuantity::Power};
    EXPECT_EQ(TraceValues(power), index.Values(kPowerQuantity));

    PlotTrace volts{.flight = flight.get(), .channel = kVoltage};
    EXPECT_EQ(TraceValues(volts), index.Values(kVoltage));

    // Without a current channel there is no power, and no channel past the record's.
    flight->record.header.channels = 1;
    EXPECT_FALSE(TraceAvailable(power));
    EXPECT_TRUE(TraceValues(power).empty());
    EXPECT_FALSE(TraceAvailable(PlotTrace{.flight = flight.get(), .channel = kCurrent}));
    EXPECT_FALSE(TraceAvailable(PlotTrace{}));
}

TEST(PlotTrace, RowsFollowTheRangeAndAChannelsRowZeroRule) {
    struct Case {
        TraceQuantity quantity;
        int channel;
        AxisRange range;
        float value;
        std::int32_t row;
    };
    const Case cases[] = {
        {TraceQuantity::Channel, kVoltage, {0.0f, 100.0f}, 25.0f, 150},
        {TraceQuantity::Channel, kVoltage, {0.0f, 100.0f}, 100.0f, 0},
        {TraceQuantity::Channel, kThrottle, {0.0f, 200.0f}, 150.0f, 0},  // above full: top
        {TraceQuantity::Channel, kVoltage, {5.0f, 5.0f}, 7.0f, 0},       // flat range
        {TraceQuantity::Power, 0, {0.0f, 200.0f}, 150.0f, 50},
        {TraceQuantity::Power, 0, {0.0f, 200.0f}, -100.0f, 300},  // below the plot
    };
    for (const Case& c : cases) {
        const PlotTrace trace{.quantity = c.quantity, .channel = c.channel, .range = c.range};
        EXPECT_EQ(TraceRow(trace, c.value, 200), c.row) << c.channel << " " << c.value;
    }
}

TEST(PlotTrace, TheChannelCurvesAreTheFirstTracesAndFollowTheRecordsRanges) {
    const auto flight = Flight(101, 100);
    CurveModel model(*flight, kWindowsOfOne);
    flight->record.dataLoaded = true;
    model.Place(401, 300);
    model.OnInitialUpdate();

    const TraceStore& store = model.Traces();
    flight->record.ranges[kVoltage] = {0.0f, 40.0f};  // a device profile was loaded
    ASSERT_TRUE(model.ApplyRanges());
    for (int ch : {kVoltage, kCurrent}) {
        const PlotTrace& trace = store.At(ch);
        EXPECT_EQ(trace.channel, ch);
        EXPECT_EQ(trace.range.max, flight->record.ranges[ch].max);
        const std::span<const PlotPoint> points = model.Points(ch);
        ASSERT_EQ(points.size(), store.Values(ch).size());
        EXPECT_EQ(points[7].y, TraceRow(trace, store.Values(ch)[7], 290));
    }
    EXPECT_EQ(store.At(CurveModel::kPowerCurve).quantity, TraceQuantity::Power);
}

TEST(PlotTrace, ASecondFlightIsLaidOverTheFirstWithItsTimeOffset) {
    const auto first = Flight(101, 100);
    const auto second = Flight(40, 150);
    CurveModel model(*first, kWindowsOfOne);
    first->record.dataLoaded = true;
    model.Place(401, 300);  // plot 400 x 290: plot sample p at column 4 p
    model.OnInitialUpdate();

    // Its voltage, started 30 samples after the first flight.
    TraceStore& store = model.Traces();
    const int added = store.Add(PlotTrace{.flight = second.get(),
                                          .channel = kVoltage,
                                          .colour = 0x00FF00,
                                          .range = {0.0f, 29.0f},
                                          .offset = 30});
    EXPECT_EQ(added, CurveModel::kPowerCurve + 1);
    std::vector<PlotPoint> points;
    VisibleTracePoints(store.At(added), store.Values(added), 0, 101, 400, 290, points);
    ASSERT_EQ(points.size(), 40u);
    EXPECT_EQ(points.front(), (PlotPoint{120, TraceRow(store.At(added), 15.0f, 290)}));
    EXPECT_EQ(points.back().x, 4 * 69);

    // A zoomed window cuts it at both ends, as it cuts the first flight.
    VisibleTracePoints(store.At(added), store.Values(added), 50, 61, 400, 290, points);
    ASSERT_EQ(points.size(), 11u);
    EXPECT_EQ(points.front().x, 0);
    EXPECT_EQ(points.back().x, 400);

    // The read-out: nothing before it starts or after it ends, between
    // samples a straight line.
    float value = 0.0f;
    EXPECT_FALSE(store.ValueAt(added, 29.5f, value));
    EXPECT_FALSE(store.ValueAt(added, 69.5f, value));
    ASSERT_TRUE(store.ValueAt(added, 31.5f, value));
    EXPECT_FLOAT_EQ(value, 15.15f);

    // The first flight's curves are untouched by it.
    EXPECT_EQ(model.Points(kVoltage).size(), 101u);
    EXPECT_EQ(store.Values(CurveModel::kPowerCurve).size(), 101u);
}

}  // namespace
}  // namespace tavix

namespace tavix {
namespace {

TEST(DrawnRange, ASpeedScaleStartsAtZeroOtherScalesAreTheRecordsOwn) {
    FlightRecord record;
    record.ranges[kMotorRpm] = {1548.0f, 11548.0f};
    record.ranges[kVoltage] = {10.0f, 25.0f};
    record.ranges[kCurrent] = {-10.0f, 60.0f};
    const struct {
        int channel;
        float min, max;
    } cases[] = {{kMotorRpm, 0.0f, 11548.0f}, {kVoltage, 10.0f, 25.0f}, {kCurrent, -10.0f, 60.0f}};
    for (const auto& c : cases) {
        const AxisRange range = DrawnRange(record, c.channel);
        EXPECT_EQ(range.min, c.min) << c.channel;
        EXPECT_EQ(range.max, c.max) << c.channel;
    }
}

}  // namespace
}  // namespace tavix
