// The throttle map against a reference computed here straight from the raw
// samples and the test records' calibration, band by band.
#include "analysis/ThrottleMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "core/analysis/AnalysisTestData.h"

namespace tavix {
namespace {

using test::MakeAnalysisRecord;

// Raw throttle steps of 0.5 %: below 0, band edges, exactly full, above full.
constexpr int kThrottleRaw[] = {-6,  0,   19,  20,  39,  40, 59, 61, 100, 119, 120, 150,
                                179, 180, 199, 200, 230, 60, 60, 0,  121, 199, 33,  90};
constexpr int kSamples = static_cast<int>(std::size(kThrottleRaw));

std::int32_t Raw(int ch, int j) {
    switch (ch) {
        case kVoltage:
            return 168 - j;  // 16.8 V falling by 0.1 V: 4 cells
        case kCurrent:
            return 3 * j + (j % 5) * 7;
        case kThrottle:
            return kThrottleRaw[j];
        case kTemperature:
            return 60 + (j * 13) % 17;
        case kMotorRpm:
            return j % 4 == 0 ? 0 : 100 + 10 * j;  // every fourth: no reading, a standing motor
        default:
            return 0;
    }
}

// What the map should hold for one band, from the raw values and the
// calibration of the test records (0.1 V, 0.5 A, 0.5 %, 0.5 degree - 10, RPM
// 30 / (14 poles x 1e-6 x period)).
struct ThrottleCase {
    int samples = 0;
    double current = 0, maxCurrent = -1e9, power = 0, rpm = 0, maxTemp = -1e9, volts = 0;
};

std::map<int, ThrottleCase> Reference(double width, int channels) {
    const int bands = static_cast<int>(std::ceil(100.0 / width - 1e-9));
    std::map<int, ThrottleCase> out;
    for (int j = 0; j < kSamples; ++j) {
        double throttle = std::min(100.0, Raw(kThrottle, j) * 0.5);
        int band = throttle <= 0 ? 0 : static_cast<int>(throttle / width);
        band = std::min(band, bands - 1);
        ThrottleCase& e = out[band];
        const double volts = Raw(kVoltage, j) * 0.1;
        const double amps = Raw(kCurrent, j) * 0.5;
        ++e.samples;
        e.current += amps;
        e.maxCurrent = std::max(e.maxCurrent, amps);
        e.power += volts * amps;
        e.volts += volts;
        if (channels > kTemperature) {
            e.maxTemp = std::max(e.maxTemp, Raw(kTemperature, j) * 0.5 - 10.0);
        }
        if (channels > kMotorRpm) {
            const int period = Raw(kMotorRpm, j);
            e.rpm += period == 0 ? 0.0 : 30.0 / (14 * 1e-6 * period);
        }
    }
    return out;
}

TEST(ThrottleMap, EachBandHoldsItsSamplesAndWhatTheMotorDidThere) {
    struct Case {
        double width;
        int channels;
        int rate;
    };
    const Case cases[] = {{10, 5, 10}, {25, 5, 5},   {30, 5, 10},
                          {7, 5, 1},   {100, 5, 10}, {10, 3, 10},  // no temperature nor RPM
                          {10, 5, 0}};                             // no rate: a sample a second
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.width << " % bands, " << c.channels << " channels, rate " << c.rate);
        const auto flight = MakeAnalysisRecord(c.channels, kSamples, c.rate, Raw);
        const ThrottleMap map = MapThrottle(SpanIndex(*flight), c.width);
        ASSERT_TRUE(map.hasThrottle);
        EXPECT_EQ(map.cells, 4);
        const std::map<int, ThrottleCase> reference = Reference(c.width, c.channels);
        const int bands = static_cast<int>(std::ceil(100.0 / c.width - 1e-9));
        ASSERT_EQ(static_cast<int>(map.bands.size()), bands);
        EXPECT_DOUBLE_EQ(map.bands.back().to, 100.0);
        int counted = 0;
        for (int b = 0; b < bands; ++b) {
            SCOPED_TRACE(b);
            const MapBand& band = map.bands[static_cast<std::size_t>(b)];
            EXPECT_DOUBLE_EQ(band.from, b * c.width);
            const auto found = reference.find(b);
            if (found == reference.end()) {
                EXPECT_EQ(band.samples, 0);
                EXPECT_FALSE(band.meanCurrent.has_value());
                continue;
            }
            const ThrottleCase& e = found->second;
            const double n = e.samples;
            counted += band.samples;
            ASSERT_EQ(band.samples, e.samples);
            EXPECT_DOUBLE_EQ(band.seconds, n / (c.rate > 0 ? c.rate : 1));
            EXPECT_NEAR(band.meanCurrent.value(), e.current / n, 1e-4);
            EXPECT_NEAR(band.maxCurrent.value(), e.maxCurrent, 1e-4);
            EXPECT_NEAR(band.meanPower.value(), e.power / n, 1e-3);
            EXPECT_NEAR(band.meanCellVolts.value(), e.volts / n / 4, 1e-5);
            if (c.channels > kMotorRpm) {
                EXPECT_NEAR(band.meanRpm.value(), e.rpm / n, e.rpm / n * 1e-5);
                EXPECT_NEAR(band.maxTemperature.value(), e.maxTemp, 1e-4);
            } else {
                EXPECT_FALSE(band.meanRpm.has_value());
                EXPECT_FALSE(band.maxTemperature.has_value());
            }
        }
        EXPECT_EQ(counted, kSamples);
    }
}

TEST(ThrottleMap, ASpanMapsOnlyItsSamplesAndNoThrottleGivesNoBands) {
    const auto flight = MakeAnalysisRecord(5, kSamples, 10, Raw);
    const SpanIndex index(*flight);
    // Samples 8-11: throttle 50, 59.5, 60, 75 %.
    const ThrottleMap span = MapThrottle(index, 10, 8, 11);
    std::vector<int> counts;
    for (const MapBand& band : span.bands) {
        counts.push_back(band.samples);
    }
    EXPECT_EQ(counts, (std::vector<int>{0, 0, 0, 0, 0, 2, 1, 1, 0, 0}));

    const auto noThrottle = MakeAnalysisRecord(2, kSamples, 10, Raw);
    const ThrottleMap none = MapThrottle(SpanIndex(*noThrottle));
    EXPECT_FALSE(none.hasThrottle);
    EXPECT_TRUE(none.bands.empty());
    EXPECT_EQ(MapCsvRows("a.dat", none), "");
}

TEST(ThrottleMap, CsvRowsOfTheBandsHoldingSamplesWithTwoDecimalsAndEmptyCellsForMissingValues) {
    EXPECT_STREQ(kMapCsvHeader,
                 "file,throttle_from,throttle_to,seconds,mean_current_a,max_current_a,"
                 "mean_power_w,mean_rpm,max_temp_c,mean_cell_v");
    // Two samples at 45 % and one at full throttle, 12.0 V (3 cells), 4 a second.
    const auto flight = MakeAnalysisRecord(3, 3, 4, [](int ch, int j) {
        const int throttle[] = {90, 90, 200};
        return ch == kVoltage ? 120 : ch == kCurrent ? 20 + 2 * j : throttle[j];
    });
    EXPECT_EQ(MapCsvRows("a,b.dat", MapThrottle(SpanIndex(*flight), 25)),
              "\"a,b.dat\",25.00,50.00,0.50,10.50,11.00,126.00,,,4.00\r\n"
              "\"a,b.dat\",75.00,100.00,0.25,12.00,12.00,144.00,,,4.00\r\n");
}

}  // namespace
}  // namespace tavix
