// Flights grouped by the ESC settings they flew with, in the order flown.
#include "records/SettingsGroups.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

std::vector<NamedValue> Timing(const char* value) {
    return {{"Brake Types", "No Brake"}, {"Timing Advance", value}};
}

LogbookEntry Flight(const char* name, std::int64_t time, int number,
                    std::vector<NamedValue> settings, double seconds, double temperature,
                    float current) {
    LogbookEntry e;
    e.ok = true;
    e.name = name;
    e.time = time;
    e.flightNumber = number;
    e.settings = std::move(settings);
    e.seconds = seconds;
    e.capacityMah = seconds * 10.0;
    e.maxTemperature = static_cast<float>(temperature);
    e.maxCurrent = current;
    return e;
}

TEST(SettingsGroups, ARunOfFlightsWithTheSameSettingsIsOneGroupInTheOrderFlown) {
    LogbookEntry broken;
    broken.name = "broken.dat";
    // Listed out of order: one upload's flights share its time and go by number.
    const std::vector<LogbookEntry> entries = {
        Flight("c.dat", 200, 1, Timing("High"), 60.0, 70.0, 40.0f),
        Flight("a.dat", 100, 1, Timing("Low"), 50.0, 50.0, 30.0f),
        broken,
        Flight("b.dat", 100, 2, Timing("Low"), 70.0, 55.0, 34.0f),
        Flight("e.dat", 400, 1, Timing("Low"), 40.0, 45.0, 20.0f),
        Flight("d.dat", 300, 1, {}, 30.0, 40.0, 10.0f),
    };
    const std::vector<SettingsGroup> groups = GroupBySettings(entries);
    ASSERT_EQ(groups.size(), 4u);

    EXPECT_EQ(groups[0].flights, (std::vector<std::size_t>{1, 3}));
    EXPECT_EQ(groups[0].firstFlight, "a.dat");
    EXPECT_EQ(groups[0].lastFlight, "b.dat");
    EXPECT_DOUBLE_EQ(*groups[0].meanSeconds, 60.0);
    EXPECT_DOUBLE_EQ(*groups[0].meanMah, 600.0);
    EXPECT_DOUBLE_EQ(*groups[0].maxTemperature, 55.0);
    EXPECT_DOUBLE_EQ(*groups[0].meanPeakCurrent, 32.0);
    EXPECT_TRUE(groups[0].changed.empty());

    EXPECT_EQ(groups[1].changed, std::vector<std::string>{"Timing Advance: Low -> High"});
    EXPECT_EQ(groups[2].changed, std::vector<std::string>{"settings not stored"});
    // Back to Low after flights that kept nothing: compared with the last known.
    EXPECT_EQ(groups[3].changed, std::vector<std::string>{"Timing Advance: High -> Low"});
    EXPECT_EQ(groups[3].number, 4);
    // Compared across the change: the last flight before it, the first after.
    EXPECT_EQ(FlightsAcross(groups[1], groups[0]), (std::array<std::size_t, 2>{3, 0}));

    EXPECT_EQ(SettingsGroupsCsv(groups),
              "group,flights,first_flight,last_flight,mean_duration_s,mean_mah,max_temp_c,"
              "mean_peak_current_a,settings_changed\r\n"
              "1,2,a.dat,b.dat,60.0,600,55.0,32.0,\r\n"
              "2,1,c.dat,c.dat,60.0,600,70.0,40.0,Timing Advance: Low -> High\r\n"
              "3,1,d.dat,d.dat,30.0,300,40.0,10.0,settings not stored\r\n"
              "4,1,e.dat,e.dat,40.0,400,45.0,20.0,Timing Advance: High -> Low\r\n");
    EXPECT_NE(SettingsGroupsTable(groups).find(
                  "Group 1: 2 flight(s), a.dat to b.dat\n  mean duration 60.0 s, mean 600 mAh, "
                  "highest temperature 55.0 C, mean peak current 32.0 A\n"),
              std::string::npos);
}

}  // namespace
}  // namespace tavix
