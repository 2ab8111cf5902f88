#include "flight/Conversion.h"
#include "flight/FlightData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "config/CAppConfig.h"
#include "support/ReferenceSmoothing.h"

namespace tavix {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

std::vector<std::int32_t> Smooth(const std::vector<std::int32_t>& raw, int window) {
    std::vector<std::int32_t> out(raw.size(), -7);
    SmoothChannel(raw.data(), static_cast<int>(raw.size()), window, out.data());
    return out;
}

std::vector<std::int32_t> ReferenceSmooth(const std::vector<std::int32_t>& raw, int window) {
    std::vector<std::int32_t> out(raw.size(), -7);
    test::ReferenceSmoothChannel(raw.data(), static_cast<int>(raw.size()), window, out.data());
    return out;
}

TEST(SmoothChannel, SmallExamples) {
    // The window fills up first: 1/1, then (1+2)/2 truncated.
    EXPECT_EQ(Smooth({1, 2}, 2), (std::vector<std::int32_t>{1, 1}));
    EXPECT_EQ(Smooth({5, -3, 8, 100}, 1), (std::vector<std::int32_t>{5, -3, 8, 100}));
    // Window larger than the series: running means of everything so far.
    EXPECT_EQ(Smooth({4, 8, 0, 7}, 10), (std::vector<std::int32_t>{4, 6, 4, 4}));
    // Sliding: (9+3+6)/3, (3+6+0)/3; negatives truncate toward zero.
    EXPECT_EQ(Smooth({9, 3, 6, 0, -5}, 3), (std::vector<std::int32_t>{9, 6, 6, 3, 0}));
    EXPECT_EQ(Smooth({-1, -2}, 2), (std::vector<std::int32_t>{-1, -1}));
    // Windows below 1 mean no smoothing.
    EXPECT_EQ(Smooth({3, 9, 1}, 0), (std::vector<std::int32_t>{3, 9, 1}));
    EXPECT_EQ(Smooth({3, 9, 1}, -4), (std::vector<std::int32_t>{3, 9, 1}));
    // Sums wrap around in 32 bits: INT_MAX + 1 is INT_MIN.
    EXPECT_EQ(Smooth({kMax, 1}, 2), (std::vector<std::int32_t>{kMax, kMin / 2}));
}

TEST(SmoothChannel, EmptyAndSingleSamplesAreSafe) {
    std::int32_t sentinel = 12345;
    SmoothChannel(nullptr, 0, 5, &sentinel);
    EXPECT_EQ(sentinel, 12345);
    SmoothChannel(nullptr, -3, 5, &sentinel);
    EXPECT_EQ(sentinel, 12345);
    EXPECT_EQ(Smooth({kMin}, 3), (std::vector<std::int32_t>{kMin}));
}

TEST(SmoothChannel, RunningSumMatchesTheStraightforwardSumBitForBit) {
    std::mt19937 generator(20140307);
    std::uniform_int_distribution<std::int32_t> any(kMin, kMax);
    std::uniform_int_distribution<std::int32_t> sample(0, 65535);
    std::uniform_int_distribution<int> pick(0, 5);

    auto series = [&](int count, int kind) {
        std::vector<std::int32_t> raw(count);
        for (auto& value : raw) {
            switch (kind) {
                case 0:
                    value = sample(generator);
                    break;  // what a logger records
                case 1:
                    value = any(generator);
                    break;  // wraps all the time
                case 2:
                    value = pick(generator) < 3 ? kMax : kMin;
                    break;
                default:
                    value = pick(generator) == 0 ? kMin : kMax - pick(generator);
                    break;
            }
        }
        return raw;
    };

    for (int count : {0, 1, 2, 3, 17, 1000, 4099}) {
        for (int kind = 0; kind < 4; ++kind) {
            const std::vector<std::int32_t> raw = series(count, kind);
            for (int window : {-1, 0, 1, 2, 3, 16, count - 1, count, count + 1, 1024, 1 << 30}) {
                SCOPED_TRACE(::testing::Message()
                             << "count " << count << " kind " << kind << " window " << window);
                ASSERT_EQ(Smooth(raw, window), ReferenceSmooth(raw, window));
            }
        }
    }
}

std::vector<std::int32_t> SmoothP(const std::vector<std::int32_t>& raw, int window) {
    std::vector<std::int32_t> out(raw.size(), -7);
    SmoothPeriods(raw.data(), static_cast<int>(raw.size()), window, out.data());
    return out;
}

std::vector<std::int32_t> ReferenceSmoothP(const std::vector<std::int32_t>& raw, int window) {
    std::vector<std::int32_t> out(raw.size(), -7);
    test::ReferenceSmoothPeriods(raw.data(), static_cast<int>(raw.size()), window, out.data());
    return out;
}

TEST(SmoothPeriods, ZerosAreNoReadingsAndLeaveTheMean) {
    struct Case {
        const char* what;
        std::vector<std::int32_t> raw;
        int window;
        std::vector<std::int32_t> want;
    };
    const Case cases[] = {
        // A motor start: no reading, then the first long periods. The plain
        // mean would give 1000, 1333 and read as a burst of speed.
        {"leading zeros", {0, 0, 0, 3000, 2000, 2000}, 4, {0, 0, 0, 3000, 2500, 2333}},
        {"zeros inside a window",
         {2000, 0, 1000, 0, 0, 4000},
         3,
         {2000, 2000, 1500, 1000, 1000, 4000}},
        {"a window of zeros", {1500, 0, 0, 0, 1200}, 2, {1500, 1500, 0, 0, 1200}},
        {"all zeros", {0, 0, 0}, 5, {0, 0, 0}},
        {"window 1 keeps every sample", {0, 1800, 0, 1700}, 1, {0, 1800, 0, 1700}},
        {"window below 1 counts as 1", {0, 1800, 0}, 0, {0, 1800, 0}},
        {"no zeros is the plain mean", {9, 3, 6, 1}, 3, {9, 6, 6, 3}},
        {"sums wrap as the other channels'", {kMax, 0, 1}, 3, {kMax, kMax, kMin / 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SmoothP(c.raw, c.window), c.want);
        EXPECT_EQ(ReferenceSmoothP(c.raw, c.window), c.want);
    }
    std::int32_t sentinel = 12345;
    SmoothPeriods(nullptr, 0, 5, &sentinel);
    EXPECT_EQ(sentinel, 12345);
}

TEST(SmoothPeriods, RunningSumMatchesTheStraightforwardMean) {
    std::mt19937 generator(20261207);
    std::uniform_int_distribution<std::int32_t> period(1, 65535);
    std::uniform_int_distribution<int> percent(0, 99);
    for (int zeros : {0, 10, 50, 90, 100}) {
        for (int count : {1, 2, 17, 1000}) {
            std::vector<std::int32_t> raw(count);
            for (auto& value : raw) {
                value = percent(generator) < zeros ? 0 : period(generator);
            }
            for (int window : {1, 2, 3, 16, count, count + 1}) {
                SCOPED_TRACE(::testing::Message()
                             << "zeros " << zeros << "% count " << count << " window " << window);
                ASSERT_EQ(SmoothP(raw, window), ReferenceSmoothP(raw, window));
            }
        }
    }
}

// A record with calibrated channels 0-4 and `samples` samples each.
std::unique_ptr<FlightRecord> MakeRecord(int samples) {
    auto record = std::make_unique<FlightRecord>();
    record->header.samples = samples;
    record->header.channels = kUploadChannels;
    record->header.poles = 14;
    record->header.gearRate = 1.0f;
    record->calibration[kVoltage] = {0.01f, 0.0f};
    record->calibration[kCurrent] = {0.1f, 0.0f};
    record->calibration[kThrottle] = {1.0f, 0.0f};
    record->calibration[kTemperature] = {1.0f, -20.0f};
    record->calibration[kMotorRpm] = {0.000001f, 99.0f};
    return record;
}

// The same record as a flight, with room for its smoothed series.
std::unique_ptr<FlightData> MakeFlight(int samples) {
    auto flight = std::make_unique<FlightData>();
    flight->record = *MakeRecord(samples);
    return flight;
}

TEST(PhysicalValue, ScalesAndComputesRpmInSinglePrecision) {
    const auto record = MakeRecord(1);
    // 1234 x 0.01 reads as 12.34 V.
    EXPECT_NEAR(PhysicalValue(*record, kVoltage, 1234), 12.34, 1e-5);
    EXPECT_EQ(PhysicalValue(*record, kTemperature, 50), 30.0f);
    // 30 / (14 x 1 x 0.000001 x 2000) is about 1071.4 RPM; c4 plays no part.
    EXPECT_NEAR(PhysicalValue(*record, kMotorRpm, 2000), 1071.43, 0.01);

    // The product is formed as (P x G x k4) x s. With these numbers another
    // order gives a different float, so the order is what is being checked.
    const float p = 2.0f, g = 2.5f, k = 0.000001f;
    const std::int32_t s = 1037;
    const float denominator = (p * g * k) * static_cast<float>(s);
    const float otherOrder = static_cast<float>(s) * p * g * k;
    ASSERT_NE(30.0f / denominator, 30.0f / otherOrder);
    EXPECT_EQ(RpmValue(s, 2, g, k), 30.0f / denominator);
}

TEST(PhysicalValue, ZeroPeriodReadsAsStandingStill) {
    EXPECT_EQ(RpmValue(0, 14, 1.0f, 0.000001f), 0.0f);
    EXPECT_EQ(RpmValue(0.0f, 14, 1.0f, 0.000001f), 0.0f);
    EXPECT_EQ(RpmValue(0, 0, 1.0f, 0.000001f), 0.0f);
    // A real period with no factor has no finite speed, but is no failure.
    EXPECT_TRUE(std::isinf(RpmValue(1500, 14, 0.0f, 0.000001f)));

    // A motor start with window 4: the curve rises from 0 to the first real
    // speed instead of peaking at a mean that mixes zeros with the periods.
    auto flight = MakeFlight(6);
    FlightRecord* record = &flight->record;
    record->raw[kMotorRpm] = {};
    for (int j = 3; j < 6; ++j) {
        record->raw[kMotorRpm][j] = 3000;
    }
    const std::array<int, kChannelCount> windows{1, 1, 1, 1, 4, 1, 1, 1};
    const ConversionResult result = flight->Convert(windows);
    EXPECT_EQ(result.observed[kMotorRpm].min, 0.0f);
    EXPECT_EQ(result.observed[kMotorRpm].max, RpmValue(3000, 14, 1.0f, 0.000001f));
}

TEST(ConvertRecord, ThrottleAboveFullIsHeldAtTheTop) {
    EXPECT_EQ(DrawnValue(kThrottle, 120.0f), 100.0f);
    EXPECT_EQ(DrawnValue(kThrottle, 99.5f), 99.5f);
    EXPECT_EQ(DrawnValue(kVoltage, 120.0f), 120.0f);

    auto flight = MakeFlight(4);
    FlightRecord* record = &flight->record;
    const std::array<std::int32_t, 4> throttle{50, 120, 80, 30};
    std::copy(throttle.begin(), throttle.end(), record->raw[kThrottle].begin());
    const std::array<int, kChannelCount> windows{1, 1, 1, 1, 1, 1, 1, 1};
    ConversionResult result = flight->Convert(windows);
    EXPECT_EQ(result.observed[kThrottle].max, 100.0f);
    EXPECT_EQ(result.observed[kThrottle].min, 30.0f);

    // Throttle over the top all the time: the minimum stays within the curve too.
    record->raw[kThrottle].fill(130);
    result = flight->Convert(windows);
    EXPECT_EQ(result.observed[kThrottle].min, 100.0f);
    EXPECT_EQ(result.observed[kThrottle].max, 100.0f);
}

TEST(ConvertRecord, SmoothsEachChannelWithItsWindowAndFindsExtremesAndPower) {
    auto flight = MakeFlight(6);
    FlightRecord* record = &flight->record;
    const std::array<std::int32_t, 6> volts{1200, 1100, 1000, 1300, 900, 1250};
    const std::array<std::int32_t, 6> amps{10, 200, 150, 0, 400, 100};
    const std::array<std::int32_t, 6> temps{40, 42, 44, 46, 48, 50};
    std::copy(volts.begin(), volts.end(), record->raw[kVoltage].begin());
    std::copy(amps.begin(), amps.end(), record->raw[kCurrent].begin());
    std::copy(temps.begin(), temps.end(), record->raw[kTemperature].begin());
    record->raw[kMotorRpm].fill(2000);
    record->raw[5].fill(77);  // beyond the record's channels
    flight->smoothed[5].fill(-1);

    const std::array<int, kChannelCount> windows{1, 2, 1, 4, 1, 1, 1, 1};
    const ConversionResult result = flight->Convert(windows);
    EXPECT_EQ(result.channels, 5);
    EXPECT_EQ(result.samples, 6);

    // Current smoothed over 2 samples: 10, 105, 175, 75, 200, 250.
    const std::vector<std::int32_t> current(flight->smoothed[kCurrent].begin(),
                                            flight->smoothed[kCurrent].begin() + 6);
    EXPECT_EQ(current, (std::vector<std::int32_t>{10, 105, 175, 75, 200, 250}));
    EXPECT_EQ(flight->smoothed[kTemperature][5], (44 + 46 + 48 + 50) / 4);
    EXPECT_EQ(flight->smoothed[5][0], -1);

    // Voltage: 12, 11, 10, 13, 9, 12.5 V; the first sample sets both ends.
    EXPECT_EQ(result.observed[kVoltage].min, 9.0f);
    EXPECT_EQ(result.observed[kVoltage].max, 13.0f);
    EXPECT_EQ(result.observed[kTemperature].min, 20.0f);
    EXPECT_EQ(result.observed[5].max, 0.0f);
    EXPECT_NEAR(result.observed[kMotorRpm].max, 1071.43, 0.01);
    // Power peaks at sample 5: 12.5 V x 25 A.
    EXPECT_NEAR(result.maxPower, 312.5f, 1e-3);
}

TEST(ConvertRecord, PowerStartsFromZeroAndCountsAreCutToTheMemory) {
    auto flight = MakeFlight(3);
    FlightRecord* record = &flight->record;
    record->calibration[kCurrent] = {-1.0f, 0.0f};  // only negative products
    record->raw[kVoltage].fill(1000);
    record->raw[kCurrent].fill(5);
    const std::array<int, kChannelCount> windows{1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(flight->Convert(windows).maxPower, 0.0f);

    // A header from a damaged file must not lead outside the tables.
    record->header.samples = 1 << 20;
    record->header.channels = 40;
    ConversionResult result = flight->Convert(windows);
    EXPECT_EQ(result.samples, kMaxSamples);
    EXPECT_EQ(result.channels, kChannelCount);
    record->header.samples = -5;
    record->header.channels = -1;
    result = flight->Convert(windows);
    EXPECT_EQ(result.samples, 0);
    EXPECT_EQ(result.channels, 0);
    EXPECT_EQ(result.maxPower, 0.0f);
}

TEST(ConvertRecord, AppConfigConvertsWithItsWindows) {
    CAppConfig config;
    FlightRecord& record = config.Record();
    const FlightData& flight = config.Current();
    record.header.samples = 2;
    record.header.channels = 1;
    record.calibration[kVoltage] = {1.0f, 0.0f};
    record.raw[kVoltage][0] = 1;
    record.raw[kVoltage][1] = 2;
    config.smoothing[kVoltage] = 2;
    const ConversionResult& result = config.Convert();
    EXPECT_EQ(&result, &flight.conversion);
    EXPECT_EQ(&record, &flight.record);
    EXPECT_EQ(flight.smoothed[kVoltage][1], 1);
    EXPECT_EQ(flight.conversion.observed[kVoltage].max, 1.0f);
}

}  // namespace
}  // namespace tavix
