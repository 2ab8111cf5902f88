#include "analysis/FlightEvents.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/analysis/AnalysisTestData.h"
#include "fakes/CommaLocale.h"

namespace tavix {
namespace {

// A flight at 5 samples per second written as plain series; a channel left
// empty is one the record lacks.
struct Flight {
    int rate = 5;
    int cells = 4;
    std::vector<float> voltage{}, current{}, throttle{}, temperature{}, rpm{};
    std::vector<std::int32_t> rawTemperature{}, rawRpm{};

    EventInput Input() const {
        EventInput in;
        in.rate = rate;
        in.cells = cells;
        for (const auto* s : {&voltage, &current, &throttle, &temperature, &rpm}) {
            in.samples = std::max(in.samples, static_cast<int>(s->size()));
        }
        for (const auto* s : {&rawTemperature, &rawRpm}) {
            in.samples = std::max(in.samples, static_cast<int>(s->size()));
        }
        in.voltage = voltage;
        in.current = current;
        in.throttle = throttle;
        in.temperature = temperature;
        in.rpm = rpm;
        in.rawTemperature = rawTemperature;
        in.rawRpm = rawRpm;
        return in;
    }
};

struct Expected {
    EventKind kind;
    int first;
    int last;
    double value;
};

void ExpectEvents(const char* name, const Flight& flight, const EventLimits& limits,
                  const std::vector<Expected>& expected) {
    SCOPED_TRACE(name);
    const std::vector<FlightEvent> events = FindEvents(flight.Input(), limits);
    ASSERT_EQ(events.size(), expected.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(events[i].kind, expected[i].kind);
        EXPECT_EQ(events[i].first, expected[i].first);
        EXPECT_EQ(events[i].last, expected[i].last);
        EXPECT_NEAR(events[i].value, expected[i].value, 1e-4);
        EXPECT_DOUBLE_EQ(events[i].time, expected[i].first / 5.0);
        EXPECT_DOUBLE_EQ(events[i].duration, (expected[i].last - expected[i].first + 1) / 5.0);
        EXPECT_FALSE(events[i].message.Text().empty());
    }
}

// Single precision as the curves hold it: 13.2 V on 4 cells is a hair
// below 3.3 V per cell and still meets the limit.
constexpr float kAtLimit = 132 * 0.1f;

TEST(FlightEvents, EachKindAtItsEdges) {
    const EventLimits limits;  // 3.3 V, 90 C, bursts
    using K = EventKind;
    struct Case {
        const char* name;
        Flight flight;
        std::vector<Expected> expected;
    };
    const std::vector<Case> cases = {
        {"cell voltage exactly at the limit", {.voltage = {16.0f, kAtLimit, kAtLimit, 15.0f}}, {}},
        {"low cell at the first and the last sample",
         {.voltage = {13.0f, 15.0f, 15.0f, 12.8f, 12.4f}},
         {{K::LowCell, 0, 0, 3.25}, {K::LowCell, 3, 4, 3.1}}},
        {"no cells counted: no low-cell", {.cells = 0, .voltage = {1.0f, 1.0f}}, {}},
        {"temperature exactly at the limit", {.temperature = {89.5f, 90.0f, 90.0f}}, {}},
        {"over-temp at both ends",
         {.temperature = {90.5f, 80.0f, 95.0f, 91.0f}},
         {{K::OverTemp, 0, 0, 90.5}, {K::OverTemp, 2, 3, 95.0}}},
        {"events of two kinds that touch",
         {.voltage = {12.0f, 12.0f, 16.0f, 16.0f}, .temperature = {20.0f, 20.0f, 99.0f, 99.0f}},
         {{K::LowCell, 0, 1, 3.0}, {K::OverTemp, 2, 3, 99.0}}},
        {"two kinds on the same samples: worst kind first",
         {.voltage = {12.0f}, .temperature = {99.0f}},
         {{K::OverTemp, 0, 0, 99.0}, {K::LowCell, 0, 0, 3.0}}},
        // Typical high current (90th percentile) 10 A: bursts above 15 A for
        // at most 1 s (5 samples).
        {"burst of 5 samples, the longest that counts",
         {.current = {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10,
                      10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10,
                      10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 20, 22, 20, 20, 16}},
         {{K::CurrentSpike, 44, 48, 22.0}}},
        {"6 samples above is hard flying, not a burst",
         {.current = {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10,
                      10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10,
                      10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10,
                      10, 10, 10, 10, 10, 10, 10, 10, 10, 20, 20, 20, 20, 20, 20}},
         {}},
        {"exactly 1.5 x typical is no burst",
         {.current = {15, 10, 10, 10, 10, 10, 10, 10, 10, 10,
                      10, 10, 10, 10, 10, 10, 10, 10, 10, 10}},
         {}},
        {"a flight that never draws 2 A has no bursts",
         {.current = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 9}},
         {}},
        // Throttle 60 %, 0.5 s is 3 samples back (2.5 rounds up).
        {"RPM falls 30 % exactly: no drop",
         {.throttle = {60, 60, 60}, .rpm = {10000, 10000, 7000}},
         {}},
        {"RPM falls more than 30 % at the last sample",
         {.throttle = {60, 60, 60}, .rpm = {10000, 10000, 6900}},
         {{K::RpmDrop, 0, 2, 31.0}}},
        {"a fall over more than 0.5 s is no drop",
         {.throttle = {60, 60, 60, 60, 60}, .rpm = {10000, 9000, 8000, 7500, 6900}},
         {}},
        {"throttle pulled back: no drop", {.throttle = {80, 60}, .rpm = {10000, 5000}}, {}},
        {"throttle held at 50 % is not above it", {.throttle = {50, 50}, .rpm = {10000, 5000}}, {}},
        {"throttle within one point holds; slow samples stay one event",
         {.throttle = {70, 69.5f, 70, 70, 90, 90, 90},
          .rpm = {10000, 5000, 5000, 5000, 5000, 5000, 5000}},
         {{K::RpmDrop, 0, 3, 50.0}}},
        {"an RPM sample without a reading is no drop, but a missing reading",
         {.throttle = {60, 60}, .rpm = {10000, 0}, .rawRpm = {300, 0}},
         {{K::NoReading, 1, 1, 1.0}}},
        // Temperature readings: the first sample without one is not missing.
        {"temperature missing before the first reading and later",
         {.rawTemperature = {0, 0, 100, 0, 0, 100, 0}},
         {{K::NoReading, 3, 4, 2.0}, {K::NoReading, 6, 6, 1.0}}},
        {"a stopped motor gives no RPM and is no missing reading",
         {.throttle = {0, 40, 40, 4, 40, 40}, .rawRpm = {0, 300, 0, 0, 300, 0}},
         {{K::NoReading, 2, 2, 1.0}, {K::NoReading, 5, 5, 1.0}}},
        // Two stretches of one kind closer than the shorter of them lasts are one event.
        {"a burst that dips under the level for a sample is one burst",
         {.current = {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10,
                      10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10,
                      10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 20, 21, 10, 20, 20}},
         {{K::CurrentSpike, 40, 44, 21.0}}},
        {"low cells a sample apart merge",
         {.voltage = {12.0f, 12.0f, 16.0f, 11.6f, 12.0f}},
         {{K::LowCell, 0, 4, 2.9}}},
        {"low cells as far apart as they last stay two",
         {.voltage = {12.0f, 12.0f, 16.0f, 16.0f, 12.0f, 12.0f}},
         {{K::LowCell, 0, 1, 3.0}, {K::LowCell, 4, 5, 3.0}}},
        {"merged missing readings count only the samples without one",
         {.rawTemperature = {100, 0, 0, 100, 0, 0}},
         {{K::NoReading, 1, 5, 4.0}}},
        {"at the motor-off throttle itself the motor runs",
         {.throttle = {40, 5, 4}, .rawRpm = {300, 0, 0}},
         {{K::NoReading, 1, 1, 1.0}}},
    };
    for (const Case& c : cases) {
        ExpectEvents(c.name, c.flight, limits, c.expected);
    }
}

TEST(FlightEvents, LimitsFromTheSettings) {
    EventLimits limits;
    limits.cellMin = 3.5;
    limits.tempMax = 60.0;
    limits.currentMax = 40.0;
    const Flight flight{
        .voltage = {14.0f, 13.9f}, .current = {40.0f, 40.5f}, .temperature = {60.0f, 60.5f}};
    ExpectEvents("limits", flight, limits,
                 {{EventKind::OverTemp, 1, 1, 60.5},
                  {EventKind::LowCell, 1, 1, 3.475},
                  {EventKind::CurrentSpike, 1, 1, 40.5}});
}

TEST(FlightEvents, FromARecordWithTheSummarysCells) {
    // 4 cells (16.4 V at the start), then 13 V: 3.25 V per cell.
    auto record = test::MakeAnalysisRecord(5, 10, 5, [](int ch, int j) {
        switch (ch) {
            case kVoltage:
                return j < 5 ? 164 : 130;
            case kTemperature:
                return 100;
            case kMotorRpm:
                return j == 7 ? 0 : 300;
            default:
                return 0;
        }
    });
    const SpanIndex index(*record);
    const auto events = FindEvents(*record, index, EventLimits{});
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, EventKind::LowCell);
    EXPECT_EQ(events[0].first, 5);
    EXPECT_EQ(events[0].message.Text(), "Cell voltage down to 3.25 V (limit 3.30 V)");
    // The throttle is 0: the missing RPM period is a stopped motor.
}

TEST(FlightEvents, CsvHasItsColumnsAndPointsWhateverTheLocale) {
    test::CommaLocale comma;
    FlightEvent e;
    e.kind = EventKind::OverTemp;
    e.time = 12.4;
    e.duration = 0.6;
    e.value = 95.5;
    e.message = MessageParts("%s", {"=Temperature, hot"});
    EXPECT_EQ(EventsCsv({e}),
              "time_s,duration_s,kind,value,text\r\n"
              "12.400,0.600,over-temp,95.500,\"'=Temperature, hot\"\r\n");
    EXPECT_EQ(EventsCsv({}), "time_s,duration_s,kind,value,text\r\n");
}

}  // namespace
}  // namespace tavix
