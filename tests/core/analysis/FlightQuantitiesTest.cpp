#include "analysis/FlightQuantities.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "analysis/AnalysisMessages.h"
#include "core/analysis/AnalysisTestData.h"

namespace tavix {
namespace {

using test::MakeAnalysisRecord;

TEST(CellCount, FullCellsAt4Point2VoltsEach) {
    struct Case {
        double volts;
        int cells;
    };
    const Case cases[] = {
        {0.0, 0},
        {-3.0, 0},
        {0.001, 1},
        {3.7, 1},
        {4.2, 1},
        {4.21, 2},
        {8.4, 2},
        {8.41, 3},
        {12.6, 3},
        {12.61, 4},
        {25.2, 6},
        {25.21, 7},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        // Single precision puts 84 x 0.1 a hair above 8.4: still 2 cells.
        {static_cast<double>(84.0f * 0.1f), 2},
        {static_cast<double>(126.0f * 0.1f), 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CellCount(c.volts), c.cells) << c.volts;
    }
}

// A constant 10 A (raw 20 x 0.5) at 12 V (raw 120 x 0.1) for 360 s is
// 1000 mAh and 12 Wh at any sampling rate.
TEST(FlightQuantities, ConstantCurrentGivesCapacityKnownByHand) {
    for (int rate : {1, 5, 10, 30, 45}) {
        SCOPED_TRACE(rate);
        const auto record = MakeAnalysisRecord(5, 360 * rate, rate, [](int ch, int) {
            return ch == kVoltage ? 120 : ch == kCurrent ? 20 : 1000;
        });
        const FlightQuantities q = ComputeQuantities(SpanIndex(*record));
        ASSERT_TRUE(q.capacityMah && q.energyWh && q.seconds && q.averageCurrent);
        EXPECT_NEAR(*q.capacityMah, 1000.0, 1e-6);
        EXPECT_NEAR(*q.energyWh, 12.0, 1e-4);
        EXPECT_DOUBLE_EQ(*q.seconds, 360.0);
        EXPECT_NEAR(*q.averageCurrent, 10.0, 1e-9);
        EXPECT_NEAR(q.maxPower, 120.0f, 1e-3f);
        EXPECT_EQ(q.cells, 3);
        ASSERT_TRUE(q.minCellVoltage);
        EXPECT_NEAR(*q.minCellVoltage, 4.0, 1e-6);
    }
}

// A sagging battery and a varying current, against the plain sums.
TEST(FlightQuantities, MatchStraightforwardSumsAndThePagesMaximumPower) {
    std::mt19937 generator(11);
    std::uniform_int_distribution<std::int32_t> current(0, 200);
    const int rate = 5;
    const int samples = 3000;
    const auto record = MakeAnalysisRecord(
        5, samples, rate,
        [&](int ch, int j) { return ch == kVoltage ? 168 - j / 100 : current(generator); },
        {4, 2, 1, 8, 4, 1, 1, 1});
    const FlightQuantities q = ComputeQuantities(SpanIndex(*record));

    double ampereSeconds = 0.0;
    double wattSeconds = 0.0;
    float minVolts = 1e9f;
    for (int j = 0; j < samples; ++j) {
        const float v = record->smoothed[kVoltage][j] * 0.1f;
        const float a = record->smoothed[kCurrent][j] * 0.5f;
        ampereSeconds += a / static_cast<double>(rate);
        wattSeconds += static_cast<double>(v * a) / rate;
        minVolts = std::min(minVolts, v);
    }
    EXPECT_NEAR(*q.capacityMah, ampereSeconds / 3.6, 1e-6);
    EXPECT_NEAR(*q.energyWh, wattSeconds / 3600.0, 1e-6);
    EXPECT_NEAR(*q.averageCurrent, ampereSeconds * rate / samples, 1e-9);
    EXPECT_EQ(q.maxPower, EvaluateRecord(record->record, record->smoothed).maxPower);
    EXPECT_EQ(q.cells, 4);  // 16.8 V
    EXPECT_FLOAT_EQ(q.minVoltage, minVolts);
    EXPECT_NEAR(*q.minCellVoltage, minVolts / 4.0, 1e-6);
}

TEST(FlightQuantities, WhatARecordCannotGiveReadsAsNoValue) {
    struct Case {
        const char* what;
        int channels;
        int rate;
        std::vector<std::string> values;
    };
    const Case cases[] = {
        {"all", 5, 10, {"120.0 W", "33 mAh", "0.40 Wh", "10.0 A", "3S", "4.00 V"}},
        {"no sampling rate", 5, 0, {"120.0 W", "-", "-", "10.0 A", "3S", "4.00 V"}},
        {"voltage only", 1, 10, {"-", "-", "-", "-", "3S", "4.00 V"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto record = MakeAnalysisRecord(c.channels, 120, c.rate, [](int ch, int) {
            return ch == kVoltage ? 120 : ch == kCurrent ? 20 : 1;
        });
        const std::vector<QuantityText> texts =
            QuantityTexts(ComputeQuantities(SpanIndex(*record)));
        ASSERT_EQ(texts.size(), c.values.size());
        EXPECT_EQ(texts[0].caption, kQuantityMaxPower);
        EXPECT_EQ(texts[5].caption, kCaptionMinCellVoltage);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].value, c.values[i]) << texts[i].caption;
        }
    }
    // No voltage above 0: no cells, no voltage per cell.
    const auto flat = MakeAnalysisRecord(5, 10, 10, [](int, int) { return 0; });
    const FlightQuantities q = ComputeQuantities(SpanIndex(*flat));
    EXPECT_EQ(q.cells, 0);
    EXPECT_FALSE(q.minCellVoltage);
    EXPECT_EQ(q.maxPower, 0.0f);
}

}  // namespace
}  // namespace tavix
