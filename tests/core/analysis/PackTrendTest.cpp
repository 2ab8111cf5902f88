#include "analysis/PackTrend.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavix {
namespace {

TEST(PackTrend, PackLineOfTheNote) {
    struct Case {
        const char* note;
        const char* pack;
    };
    const Case cases[] = {
        {"Pack: Blue 4S\nwindy", "Blue 4S"},
        {"Pack:  Red \r\nsecond line", "Red"},
        {"Pack:Green", "Green"},
        {"Pack:   ", ""},
        {"pack: lower case is no pack line", ""},
        {"windy\nPack: Blue", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PackName(c.note), c.pack) << c.note;
    }
}

TEST(PackTrend, PackFieldWritesTheFirstLineOnly) {
    struct Case {
        const char* note;
        const char* pack;
        const char* result;
    };
    const Case cases[] = {
        {"windy", "Blue", "Pack: Blue\nwindy"},
        {"", "Blue", "Pack: Blue"},
        {"Pack: Old\nwindy", " Blue ", "Pack: Blue\nwindy"},
        {"Pack: Old", "Blue", "Pack: Blue"},
        {"windy", "", "windy"},
        {"Pack: Old\nwindy", "  ", "Pack: Old\nwindy"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithPackLine(c.note, c.pack), c.result) << c.note << " / " << c.pack;
    }
}

// Rate 2: 0.5 s is one sample; steady stretches are two samples.
TEST(PackTrend, ResistanceFromCurrentStepsByHand) {
    struct Case {
        const char* name;
        std::vector<float> volts;
        std::vector<float> amps;
        std::vector<double> ohms;
    };
    const std::vector<Case> cases = {
        {"no step at all", {16, 16, 16, 16, 16, 16}, {10, 10, 10, 10, 10, 10}, {}},
        // 10 A -> 20 A, 16.0 V -> 15.8 V: 0.2 / 10 = 20 mOhm.
        {"one step up", {16, 16, 16, 15.8f, 15.8f, 15.8f}, {10, 10, 10, 20, 20, 20}, {0.02}},
        // Down by 10 A and the voltage recovers by 0.3 V: 30 mOhm.
        {"one step down", {15, 15, 15.3f, 15.3f}, {30, 30, 20, 20}, {0.03}},
        {"4.5 A is no step", {16, 16, 15.9f, 15.9f}, {10, 10, 14.5f, 14.5f}, {}},
        {"no steady stretch after it", {16, 16, 15.8f, 15.7f, 15.5f}, {10, 10, 20, 22, 25}, {}},
        {"two steps",
         {16, 16, 16, 15.8f, 15.8f, 15.8f, 16.1f, 16.1f},
         {10, 10, 10, 20, 20, 20, 5, 5},
         {0.02, 0.02}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<CurrentStep> steps = FindCurrentSteps(c.volts, c.amps, 2);
        ASSERT_EQ(steps.size(), c.ohms.size());
        for (std::size_t i = 0; i < steps.size(); ++i) {
            EXPECT_NEAR(steps[i].ohms, c.ohms[i], 1e-5);
        }
    }
}

TEST(PackTrend, AStepMayTakeHalfASecond) {
    // Rate 4: 0.5 s is two samples; the current climbs over both.
    const std::vector<float> volts{16, 16, 16, 15.9f, 15.8f, 15.8f, 15.8f};
    const std::vector<float> amps{10, 10, 10, 15, 20, 20, 20};
    const auto steps = FindCurrentSteps(volts, amps, 4);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].before, 2);
    EXPECT_EQ(steps[0].after, 4);
    EXPECT_NEAR(steps[0].ohms, 0.02, 1e-5);
    // A climb of 4 A per half second is no step, however far it goes.
    const std::vector<float> slow{10, 10, 10, 14, 18, 20, 20, 20};
    EXPECT_TRUE(FindCurrentSteps(volts, slow, 2).empty());
    // Values that settle more than 0.5 s after the change give no step.
    const std::vector<float> lagging{16, 16, 16, 15.8f, 15.6f, 15.4f, 15.2f, 15, 15, 15};
    const std::vector<float> jump{10, 10, 10, 20, 20, 20, 20, 20, 20, 20};
    EXPECT_TRUE(FindCurrentSteps(lagging, jump, 4).empty());
}

TEST(PackTrend, MedianOfStepsAndFlights) {
    EXPECT_FALSE(Median({}));
    EXPECT_DOUBLE_EQ(*Median({0.03, 0.01, 0.02}), 0.02);
    EXPECT_DOUBLE_EQ(*Median({0.04, 0.01, 0.02, 0.03}), 0.025);
}

TEST(PackTrend, PacksGatherTheirFlightsByDate) {
    const std::vector<PackFlight> flights = {
        {"Blue", 300, 1000.0, 3.6, 0.020},
        {"", 100, 900.0, 3.0, 0.05},  // no pack line: left out
        {"Blue", 100, 1200.0, 3.5, 0.030},
        {"Red", 200, std::nullopt, std::nullopt, std::nullopt},
        {"Blue", 200, 800.0, 3.7, std::nullopt},
    };
    const std::vector<PackRow> rows = SummarizePacks(flights);
    ASSERT_EQ(rows.size(), 2u);
    const PackRow& blue = rows[0];
    EXPECT_EQ(blue.pack, "Blue");
    EXPECT_EQ(blue.flights, 3);
    EXPECT_DOUBLE_EQ(blue.totalMah, 3000.0);
    EXPECT_DOUBLE_EQ(*blue.meanMah, 1000.0);
    EXPECT_DOUBLE_EQ(*blue.minCellVoltage, 3.5);
    EXPECT_DOUBLE_EQ(*blue.ohms, 0.025);
    EXPECT_EQ(blue.firstFlight, 100);
    EXPECT_EQ(blue.lastFlight, 300);
    ASSERT_EQ(blue.history.size(), 3u);
    EXPECT_EQ(blue.history[1].time, 200);
    const PackRow& red = rows[1];
    EXPECT_EQ(red.flights, 1);

    // Flights of one upload share its time: they follow their numbers in the logger.
    const std::vector<PackRow> one = SummarizePacks({{"Blue", 500, 3.0, {}, {}, 3},
                                                     {"Blue", 500, 1.0, {}, {}, 1},
                                                     {"Blue", 400, 9.0, {}, {}, 7},
                                                     {"Blue", 500, 2.0, {}, {}, 2}});
    ASSERT_EQ(one.size(), 1u);
    std::vector<double> order;
    for (const PackFlight& f : one[0].history) {
        order.push_back(*f.capacityMah);
    }
    EXPECT_EQ(order, (std::vector<double>{9.0, 1.0, 2.0, 3.0}));
    EXPECT_FALSE(red.meanMah);
    EXPECT_FALSE(red.minCellVoltage);
    EXPECT_FALSE(red.ohms);
}

}  // namespace
}  // namespace tavix
