#include "analysis/MotorHealth.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/analysis/AnalysisTestData.h"
#include "sim/LoggerMemory.h"

namespace tavix {
namespace {

constexpr std::array<int, kChannelCount> kDefaultWindows{4, 2, 1, 8, 4, 1, 1, 1};

// Simulated samples as the logger's raw series, smoothed with `windows`; a
// period without reading repeats the one before, as the upload does.
std::unique_ptr<FlightData> RecordOf(const std::vector<sim::Sample>& flight,
                                     std::array<int, kChannelCount> windows) {
    std::vector<std::int32_t> periods;
    for (const sim::Sample& s : flight) {
        periods.push_back(s.rpmPeriod == 0 && !periods.empty() ? periods.back() : s.rpmPeriod);
    }
    return test::MakeAnalysisRecord(
        5, static_cast<int>(flight.size()), 5,
        [&](int ch, int j) -> std::int32_t {
            const sim::Sample& s = flight[j];
            const std::int32_t raw[] = {s.voltage, s.current, s.throttle, s.temperature,
                                        periods[j]};
            return raw[ch];
        },
        windows);
}

MotorEstimate Estimate(const std::vector<sim::Sample>& flight,
                       std::array<int, kChannelCount> windows = kDefaultWindows) {
    return FlightMotor(SpanIndex(*RecordOf(flight, windows)));
}

TEST(MotorHealth, ReadsBackTheSimulatedMotor) {
    struct Case {
        const char* name;
        sim::MotorSpec motor;
    };
    const Case cases[] = {
        {"4S 920 Kv", {920.0, 0.08, 0.16, 4, 0.025}},
        {"3S 1400 Kv, small propeller", {1400.0, 0.05, 0.08, 3, 0.03}},
        {"6S 500 Kv, large propeller", {500.0, 0.12, 0.9, 6, 0.02}},
    };
    for (const Case& c : cases) {
        for (std::uint32_t seed : {1u, 2u, 3u}) {
            for (const auto& windows :
                 {kDefaultWindows, std::array<int, kChannelCount>{1, 1, 1, 1, 1, 1, 1, 1}}) {
                const MotorEstimate e =
                    Estimate(sim::GenerateMotorFlight(240, seed, c.motor), windows);
                SCOPED_TRACE(std::string(c.name) + ", seed " + std::to_string(seed) +
                             ", voltage window " + std::to_string(windows[0]));
                ASSERT_TRUE(e.figures);
                EXPECT_NEAR(e.figures->kv, c.motor.kv, c.motor.kv * 0.03);
                EXPECT_NEAR(e.figures->rmOhm, c.motor.rmOhm, c.motor.rmOhm * 0.20);
                EXPECT_NEAR(e.figures->propK, c.motor.propK, c.motor.propK * 0.08);
                EXPECT_GT(e.steadySeconds, 20.0);
                EXPECT_GT(e.figures->efficiency, 0.7);
                EXPECT_LT(e.figures->efficiency, 1.0);
            }
        }
    }
}

// Rate 2: 0.5 s is one sample back.
TEST(MotorHealth, SteadySamplesByHand) {
    struct Case {
        const char* name;
        std::vector<float> throttle;
        std::vector<float> amps;
        std::vector<float> rpm;
        std::vector<int> steady;
    };
    const float inf = INFINITY;
    const std::vector<Case> cases = {
        {"held throttle, the first sample has no earlier one",
         {50, 50, 50},
         {10, 10, 10},
         {9000, 9000, 9000},
         {1, 2}},
        {"within 2 points of 0.5 s before, not beyond",
         {50, 52, 54.5f},
         {10, 10, 10},
         {9, 9, 9},
         {1}},
        {"throttle at 20 % counts, below does not", {20, 20, 19.5f}, {5, 5, 5}, {9, 9, 9}, {1}},
        {"current must be above 1 A", {50, 50, 50}, {5, 1, 1.5f}, {9, 9, 9}, {2}},
        {"no RPM reading, or none at all", {50, 50, 50, 50}, {5, 5, 5, 5}, {9, 0, inf, 9}, {3}},
    };
    for (const Case& c : cases) {
        const std::vector<float> volts(c.throttle.size(), 16.0f);
        EXPECT_EQ(SteadySamples({volts, c.amps, c.throttle, c.rpm, 2}), c.steady) << c.name;
    }
}

// Samples that follow the motor's equations exactly, the load set by the
// throttle: the fit gives back the motor and k to rounding.
TEST(MotorHealth, ExactMotorGivesItsFiguresAndEfficiency) {
    constexpr double kKv = 1000.0;
    constexpr double kRm = 0.05;
    std::vector<float> volts;
    std::vector<float> amps;
    std::vector<float> throttle;
    std::vector<float> rpm;
    for (int j = 0; j < 40; ++j) {
        const double duty = (j < 20 ? 40.0 : 80.0) / 100.0;
        const double vm = 16.0 * duty;
        const double im = j < 20 ? 4.0 : 15.0;
        const double turning = kKv * (vm - im * kRm);
        volts.push_back(16.0f);
        amps.push_back(static_cast<float>(im * duty));
        throttle.push_back(static_cast<float>(duty * 100.0));
        rpm.push_back(static_cast<float>(turning));
    }
    const MotorEstimate e = EstimateMotor({volts, amps, throttle, rpm, 4});
    ASSERT_TRUE(e.figures);
    // 0.5 s is two samples: the first two, and two after the step, are not steady.
    EXPECT_EQ(e.steadySamples, 36);
    EXPECT_DOUBLE_EQ(e.steadySeconds, 9.0);
    EXPECT_NEAR(e.figures->kv, kKv, 0.05);
    EXPECT_NEAR(e.figures->rmOhm, kRm, 1e-5);
    EXPECT_NEAR(e.figures->r2, 1.0, 1e-6);
    // Per sample (Vm - Im Rm) Im / (rpm / 1000)^3; the median of two levels
    // of 18 samples each is their mean.
    const double low = (6.4 - 0.2) * 4.0 / std::pow(6.2, 3);
    const double high = (12.8 - 0.75) * 15.0 / std::pow(12.05, 3);
    EXPECT_NEAR(e.figures->propK, (low + high) / 2.0, 1e-4);
    EXPECT_NEAR(e.figures->efficiency, (6.2 / 6.4 + 12.05 / 12.8) / 2.0, 1e-6);
}

TEST(MotorHealth, NotEnoughSteadyFlight) {
    const sim::MotorSpec motor;
    // 24 samples at 5 per second: under 5 s of anything.
    EXPECT_FALSE(Estimate(sim::GenerateMotorFlight(24, 1, motor)).figures);
    // An ordinary demo flight's RPM follows the throttle with no load in it:
    // nothing for the line to explain.
    const MotorEstimate plain = Estimate(sim::GenerateFlight(380, 1));
    EXPECT_GT(plain.steadySeconds, 5.0);
    EXPECT_FALSE(plain.figures);

    // One throttle all along: no spread of load to read a slope from.
    const std::vector<float> volts(40, 16.0f);
    const std::vector<float> amps(40, 8.0f);
    const std::vector<float> throttle(40, 50.0f);
    const std::vector<float> rpm(40, 7000.0f);
    EXPECT_FALSE(EstimateMotor({volts, amps, throttle, rpm, 4}).figures);
    // Faster under more load is no motor (Rm below 0).
    std::vector<float> rising = rpm;
    std::vector<float> loads = amps;
    for (int j = 20; j < 40; ++j) {
        loads[j] = 12.0f;
        rising[j] = 7400.0f;
    }
    EXPECT_FALSE(EstimateMotor({volts, loads, throttle, rising, 4}).figures);
    // A record without an RPM channel has no steady sample.
    auto noRpm = RecordOf(sim::GenerateMotorFlight(240, 1, motor), kDefaultWindows);
    noRpm->record.header.channels = 4;
    EXPECT_EQ(FlightMotor(SpanIndex(*noRpm)).steadySamples, 0);
}

MotorFigures Figures(double kv, double rm, double k) {
    return {kv, rm, k, 0.9, 0.95};
}

TEST(MotorHealth, AlertsAgainstTheMedianOfEarlierFlights) {
    const std::vector<MotorFigures> earlier = {Figures(900, 0.08, 0.16), Figures(920, 0.07, 0.15),
                                               Figures(1000, 0.09, 0.20)};
    // Medians: Kv 920, Rm 0.08, k 0.16.
    struct Case {
        MotorFigures flight;
        const char* alert;
    };
    const Case cases[] = {
        {Figures(920, 0.08, 0.16), ""},
        {Figures(875, 0.08, 0.16), ""},  // 4.9 % down
        {Figures(846, 0.08, 0.16), "Kv down 8 %: magnets heat-damaged?"},
        {Figures(1000, 0.08, 0.16), ""},  // a faster motor is no harm
        {Figures(920, 0.08, 0.18), "k up 13 %: propeller changed or damaged?"},
        {Figures(920, 0.08, 0.13), "k down 19 %: propeller changed or damaged?"},
        {Figures(920, 0.096, 0.16), ""},  // 20 % up exactly
        {Figures(920, 0.1, 0.16), "Rm up 25 %: windings or connections damaged?"},
        {Figures(800, 0.1, 0.2),
         "Kv down 13 %: magnets heat-damaged?; k up 25 %: propeller changed or damaged?; "
         "Rm up 25 %: windings or connections damaged?"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MotorAlert(c.flight, earlier), c.alert) << c.flight.kv;
    }
    EXPECT_EQ(MotorAlert(Figures(500, 1, 1), {}), "");
}

MotorFlight Flight(const char* model, std::int64_t time, std::optional<MotorFigures> figures) {
    return {std::string("f") + std::to_string(time), model, time, {100, 20.0, figures}};
}

TEST(MotorHealth, HistoryByModelInTheOrderFlown) {
    const std::vector<MotorFlight> history = MotorHistory({
        Flight("Wing", 300, Figures(846, 0.08, 0.16)),  // after two healthy flights
        Flight("", 50, Figures(500, 0.08, 0.16)),
        Flight("Wing", 100, Figures(920, 0.08, 0.16)),
        Flight("Quad", 500, Figures(846, 0.08, 0.16)),  // its own model's first
        Flight("Wing", 150, std::nullopt),
        Flight("Wing", 200, Figures(920, 0.08, 0.16)),
    });
    std::vector<std::string> order;
    for (const MotorFlight& f : history) {
        order.push_back(f.model + "@" + std::to_string(f.time) + ":" + AlertText(f));
    }
    EXPECT_EQ(order,
              (std::vector<std::string>{"Quad@500:", "Wing@100:", "Wing@150:", "Wing@200:",
                                        "Wing@300:Kv down 8 %: magnets heat-damaged?", "@50:"}));

    const std::vector<ModelTrend> trends = SummarizeModels(history);
    ASSERT_EQ(trends.size(), 2u);
    EXPECT_EQ(trends[1].model, "Wing");
    EXPECT_EQ(trends[1].flights.size(), 4u);
    EXPECT_EQ(trends[1].alerts, 1);
    EXPECT_DOUBLE_EQ(*trends[1].kv, 920.0);
    EXPECT_FALSE(SummarizeModels({Flight("Wing", 1, std::nullopt)})[0].kv);
}

}  // namespace
}  // namespace tavix
