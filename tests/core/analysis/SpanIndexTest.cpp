#include "analysis/SpanIndex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "core/analysis/AnalysisTestData.h"

namespace tavix {
namespace {

using test::MakeAnalysisRecord;

// A span measured the plain way: every sample of first..last visited.
QuantitySpan PlainSpan(const std::vector<float>& values, int first, int last) {
    QuantitySpan s;
    s.present = true;
    double sum = 0.0;
    for (int j = first; j <= last; ++j) {
        const float v = values[j];
        if (!std::isfinite(v)) {
            continue;
        }
        if (s.valid == 0 || v < s.min) {
            s.min = v;
        }
        if (s.valid == 0 || v > s.max) {
            s.max = v;
        }
        sum += v;
        ++s.valid;
    }
    s.mean = s.valid > 0 ? sum / s.valid : 0.0;
    s.atFirst = values[first];
    s.atLast = values[last];
    s.change = s.atLast - s.atFirst;
    return s;
}

// Values the curves draw, computed here sample by sample.
std::vector<float> PlainValues(const FlightData& flight, int quantity) {
    const FlightRecord& record = flight.record;
    std::vector<float> values;
    for (int j = 0; j < record.header.samples; ++j) {
        const auto& s = flight.smoothed;
        values.push_back(
            quantity == kPowerQuantity
                ? (s[kVoltage][j] * record.calibration[kVoltage].k) *
                      (s[kCurrent][j] * record.calibration[kCurrent].k)
                : DrawnValue(quantity, PhysicalValue(record, quantity, s[quantity][j])));
    }
    return values;
}

void ExpectSame(const QuantitySpan& got, const QuantitySpan& want) {
    EXPECT_EQ(got.present, want.present);
    EXPECT_EQ(got.valid, want.valid);
    EXPECT_EQ(got.min, want.min);
    EXPECT_EQ(got.max, want.max);
    EXPECT_NEAR(got.mean, want.mean, 1e-6 * (1.0 + std::fabs(want.mean)));
    EXPECT_EQ(got.atFirst, want.atFirst);
    EXPECT_EQ(got.atLast, want.atLast);
    if (std::isfinite(want.change)) {
        EXPECT_EQ(got.change, want.change);
    }
}

// Random flights of 8 channels, throttle above 100 % and RPM periods of 0
// (no reading) included, against the plain computation, for spans of every
// width: single samples, inside one block, across blocks, the whole record.
TEST(SpanIndex, SpansMatchThePlainComputation) {
    std::mt19937 generator(2014);
    for (int samples : {1, 63, 64, 65, 1000, 16384}) {
        SCOPED_TRACE(samples);
        std::uniform_int_distribution<std::int32_t> raw(0, 260);
        const auto record = MakeAnalysisRecord(8, samples, 5,
                                               [&](int ch, int j) {
                                                   const std::int32_t v = raw(generator);
                                                   return ch == kMotorRpm && j % 97 < 5 ? 0 : v;
                                               },
                                               {4, 2, 1, 8, 1, 1, 1, 3});
        const SpanIndex index(*record);
        std::uniform_int_distribution<int> position(0, samples - 1);
        std::vector<std::pair<int, int>> spans = {
            {0, samples - 1}, {0, 0}, {samples - 1, samples - 1}, {0, samples / 2}};
        for (int i = 0; i < 40; ++i) {
            spans.emplace_back(position(generator), position(generator));
        }
        for (auto [a, b] : spans) {
            const int first = std::min(a, b);
            const int last = std::max(a, b);
            const SpanStatistics stats = index.Span(a, b);
            ASSERT_EQ(stats.first, first);
            ASSERT_EQ(stats.last, last);
            for (int s = 0; s < kQuantityCount; ++s) {
                SCOPED_TRACE(s);
                ExpectSame(stats.quantities[s], PlainSpan(PlainValues(*record, s), first, last));
            }
        }
    }
}

TEST(SpanIndex, CursorsOutsideTheRecordOrInReverseOrder) {
    // 10 A at 12 V, 5 samples per second, 100 s.
    const auto record = MakeAnalysisRecord(5, 500, 5, [](int ch, int j) {
        return ch == kVoltage ? 120 : ch == kCurrent ? 20 : j;
    });
    const SpanIndex index(*record);
    struct Case {
        int a, b;
        int first, last;
        bool swapped;
        double seconds, mah;
    };
    const Case cases[] = {
        {0, 499, 0, 499, false, 99.8, 10 * 99.8 / 3.6},
        {-20, 10000, 0, 499, false, 99.8, 10 * 99.8 / 3.6},  // clamped to the record
        {499, 0, 0, 499, true, 99.8, 10 * 99.8 / 3.6},       // A after B
        {60, 10, 10, 60, true, 10.0, 10 * 10.0 / 3.6},
        {499, 499, 499, 499, false, 0.0, 0.0},  // at the record's end
        {-5, -1, 0, 0, false, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << ".." << c.b);
        const SpanStatistics s = index.Span(c.a, c.b);
        EXPECT_EQ(s.first, c.first);
        EXPECT_EQ(s.last, c.last);
        EXPECT_EQ(s.swapped, c.swapped);
        ASSERT_TRUE(s.seconds && s.capacityMah && s.energyWh);
        EXPECT_NEAR(*s.seconds, c.seconds, 1e-9);
        EXPECT_NEAR(*s.capacityMah, c.mah, 1e-6);
        EXPECT_NEAR(*s.energyWh, 12 * c.mah / 1000, 1e-6);
        // The throttle rises with the sample number (raw j x 0.5 %, held at 100).
        const QuantitySpan& throttle = s.quantities[kThrottle];
        EXPECT_EQ(throttle.atFirst, std::min(c.first * 0.5f, 100.0f));
        EXPECT_EQ(throttle.change, throttle.atLast - throttle.atFirst);
        EXPECT_LE(throttle.max, 100.0f);
    }
    // The whole record counts the last sample's time too.
    const SpanStatistics whole = index.Whole();
    EXPECT_DOUBLE_EQ(*whole.seconds, 100.0);
    EXPECT_NEAR(*whole.capacityMah, 1000.0 / 3.6, 1e-6);
    EXPECT_FALSE(index.HasQuantity(kChannelCount - 1));  // channel 7 not recorded
    EXPECT_TRUE(index.Values(7).empty());
}

TEST(SpanIndex, RpmWithoutAnyReadingIsStandingStill) {
    const auto record =
        MakeAnalysisRecord(5, 100, 5, [](int ch, int) { return ch == kMotorRpm ? 0 : 50; });
    const SpanStatistics s = SpanIndex(*record).Span(10, 20);
    EXPECT_TRUE(s.quantities[kMotorRpm].present);
    EXPECT_EQ(s.quantities[kMotorRpm].valid, 11);
    EXPECT_EQ(s.quantities[kMotorRpm].max, 0.0f);
    EXPECT_EQ(s.quantities[kMotorRpm].atFirst, 0.0f);
    EXPECT_EQ(s.quantities[kVoltage].valid, 11);
}

}  // namespace
}  // namespace tavix
