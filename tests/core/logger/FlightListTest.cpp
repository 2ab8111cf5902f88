// Where the logger's flights lie, which reads fetch them, and when a record
// file already holds one: the arithmetic and the "already stored" rule.
#include "logger/FlightList.h"

#include <gtest/gtest.h>

#include "logger/LoggerHeader.h"
#include "logger/LoggerMessages.h"

namespace tavix {
namespace {

LoggerBlock Block(std::vector<std::uint16_t> ends, bool cycle = false,
                  std::uint16_t last = 0x1FFF) {
    LoggerBlock block;
    block.lastAddress = last;
    block.cycle = cycle ? 1 : 0;
    block.rate = 5;
    block.flightCount = static_cast<std::uint8_t>(ends.size());
    for (std::size_t i = 0; i < ends.size(); ++i) {
        block.endAddresses[2 * i] = static_cast<std::uint8_t>(ends[i] >> 8);
        block.endAddresses[2 * i + 1] = static_cast<std::uint8_t>(ends[i]);
    }
    return block;
}

struct PlaceCase {
    const char* what;
    LoggerBlock block;
    // Per flight: ranges, samples, overwritten.
    std::vector<std::vector<AddressRange>> ranges;
    std::vector<int> samples;
    std::vector<bool> overwritten;
};

TEST(FlightMap, FlightsLieBetweenEndAddressesAndWrapAroundTheRing) {
    const std::vector<PlaceCase> cases{
        {"plain: back to back from 64, an empty flight has no range",
         Block({64 + 800, 64 + 800, 3000}),
         {{{64, 800}}, {}, {{864, 3000 - 864}}},
         {100, 0, (3000 - 864) / 8},
         {false, false, false}},
        {"without cycle recording nothing is overwritten",
         Block({4000, 8000}),
         {{{64, 3936}}, {{4000, 4000}}},
         {492, 500},
         {false, false}},
        {"wrapped: the head to the last address, the tail from 64, over flight 1",
         Block({3264, 5664, 1136}, true),
         {{{64, 3200}}, {{3264, 2400}}, {{5664, 0x2000 - 5664}, {64, 1072}}},
         {400, 300, 450},
         {true, false, false}},
        {"a flight after the wrap writes over the next older ones too",
         Block({4000, 7000, 1000, 4100}, true),
         {{{64, 3936}}, {{4000, 3000}}, {{7000, 0x2000 - 7000}, {64, 936}}, {{1000, 3100}}},
         {492, 375, 266, 387},
         {true, true, false, false}},
        {"a flight ending exactly at the ring's end lies in one range",
         Block({0x2000 - 800, 64}, true),
         {{{64, 0x2000 - 864}}, {{0x2000 - 800, 800}}},
         {(0x2000 - 864) / 8, 100},
         {false, false}},
        {"an end address below 64 contradicts the header: nothing to read",
         Block({40, 3000}),
         {{}, {}},
         {0, 0},
         {false, false}},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<FlightPlace> places = MapFlights(c.block);
        ASSERT_EQ(places.size(), c.ranges.size());
        for (std::size_t i = 0; i < places.size(); ++i) {
            EXPECT_EQ(places[i].number, static_cast<int>(i) + 1);
            EXPECT_EQ(places[i].ranges, c.ranges[i]) << "flight " << i + 1;
            EXPECT_EQ(places[i].samples, c.samples[i]) << "flight " << i + 1;
            EXPECT_EQ(places[i].overwritten, c.overwritten[i]) << "flight " << i + 1;
        }
    }
}

TEST(FlightMap, ReadsJoinTouchingRangesAndAskForAtMostOneBlockEach) {
    const struct {
        const char* what;
        std::vector<AddressRange> ranges;
        std::vector<AddressRange> reads;
    } cases[]{
        {"one range, a short last block", {{64, 1000}}, {{64, 512}, {576, 488}}},
        {"touching ranges are one run", {{64, 400}, {464, 400}}, {{64, 512}, {576, 288}}},
        {"a gap starts a new run at its own address",
         {{2000, 100}, {64, 100}},
         {{64, 100}, {2000, 100}}},
        {"overlapping ranges are read once", {{64, 600}, {300, 100}}, {{64, 512}, {576, 88}}},
        {"empty ranges ask for nothing", {{64, 0}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadsFor(c.ranges, 512), c.reads);
    }
}

TEST(FlightMap, TheConfirmWindowIsOneReadFromTheMiddleOfTheFlight) {
    FlightPlace plain;
    plain.ranges = {{64, 8 * 300}};
    ConfirmWindow w = WindowOf(plain);
    EXPECT_EQ(w.count, kConfirmBytes / 8);
    EXPECT_EQ(w.first, (300 - 32) / 2);
    EXPECT_EQ(w.read, (AddressRange{64 + 8 * w.first, kConfirmBytes}));

    FlightPlace shortFlight;
    shortFlight.ranges = {{640, 8 * 20}};
    w = WindowOf(shortFlight);
    EXPECT_EQ(w.first, 0);
    EXPECT_EQ(w.read, (AddressRange{640, 160}));

    // Wrapped: the longer part, samples counted after the head.
    FlightPlace wrapped;
    wrapped.ranges = {{8000, 192}, {64, 8 * 100}};
    w = WindowOf(wrapped);
    EXPECT_EQ(w.first, 24 + (100 - 32) / 2);
    EXPECT_EQ(w.read, (AddressRange{64 + 8 * 34, kConfirmBytes}));
}

// A record of this logger's flight 2 (of 3) as an upload stored it.
RecordOrigin Origin(int number, int samples) {
    RecordOrigin origin;
    origin.version = "TVKA20141L400312";
    origin.logger = Block({64 + 800, 64 + 1600, 64 + 2400});
    origin.flightNumber = number;
    origin.samples = samples;
    return origin;
}

TEST(StoredFlights, ACandidateSharesVersionMemoryPositionAndSampleCount) {
    const std::string version = "TVKA20141L400312";
    const LoggerBlock now = Block({64 + 800, 64 + 1600, 64 + 2400, 64 + 3000});
    RecordOrigin otherVersion = Origin(2, 100);
    otherVersion.version = "TVKB20140V200312";
    RecordOrigin otherMemory = Origin(2, 100);
    otherMemory.logger.lastAddress = 0x3FFF;
    const struct {
        const char* what;
        RecordOrigin origin;
        LoggerBlock current;
        std::vector<int> flights;
    } cases[]{
        {"the same flight, logger grown since", Origin(2, 100), now, {2}},
        {"another device", otherVersion, now, {}},
        {"a memory of another size", otherMemory, now, {}},
        {"a file of an earlier build: every flight of its length", Origin(0, 100), now, {1, 2, 3}},
        {"cleared and flown again: flight 2 is longer now",
         Origin(2, 100),
         Block({64 + 800, 64 + 2400}),
         {}},
        {"the same length at another place is not the same flight",
         Origin(2, 100),
         Block({64 + 400, 64 + 1200}),
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CandidateFlights(c.origin, version, c.current), c.flights);
    }
}

Bytes SampleBytes(const std::vector<RawSample>& samples) {
    Bytes bytes;
    for (const RawSample& s : samples) {
        bytes.insert(bytes.end(),
                     {static_cast<std::uint8_t>(s[0]), static_cast<std::uint8_t>(s[1]),
                      static_cast<std::uint8_t>(s[2]), static_cast<std::uint8_t>(s[3]),
                      static_cast<std::uint8_t>(s[4] >> 8), static_cast<std::uint8_t>(s[4]), 0, 0});
    }
    return bytes;
}

TEST(StoredFlights, TheWindowMustHoldTheRecordsSamplesWithItsZeroRule) {
    const ConfirmWindow window{{64 + 80, 24}, 10, 3};
    StoredWindow stored;
    stored.before = RawSample{150, 10, 40, 35, 1200};
    stored.samples = {{151, 11, 41, 35, 1200}, {152, 12, 42, 36, 1100}, {153, 13, 43, 36, 1100}};
    const struct {
        const char* what;
        std::vector<RawSample> logger;
        bool same;
    } cases[]{
        {"the same values", stored.samples, true},
        {"a temperature and a period of 0 repeat the sample before",
         {{151, 11, 41, 0, 0}, {152, 12, 42, 36, 1100}, {153, 13, 43, 0, 0}},
         true},
        {"one current other: another flight at the same place",
         {{151, 11, 41, 35, 1200}, {152, 99, 42, 36, 1100}, {153, 13, 43, 36, 1100}},
         false},
        {"a voltage of 0 is a value, not a missing reading",
         {{0, 11, 41, 35, 1200}, {152, 12, 42, 36, 1100}, {153, 13, 43, 36, 1100}},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SameSamples(SampleBytes(c.logger), window, stored), c.same);
    }
    // On a flight's first sample a 0 stays 0.
    StoredWindow first;
    first.samples = {{150, 10, 40, 0, 0}};
    EXPECT_TRUE(SameSamples(SampleBytes({{150, 10, 40, 0, 0}}), {{64, 8}, 0, 1}, first));
    // Too few bytes (a cut reply) never match.
    EXPECT_FALSE(SameSamples(Bytes(16, 0), window, stored));
}

FlightList ListOf(std::vector<FlightStatus> statuses) {
    FlightList list;
    for (std::size_t i = 0; i < statuses.size(); ++i) {
        FlightEntry e;
        e.place.number = static_cast<int>(i) + 1;
        e.place.ranges = {{64 + 800 * static_cast<int>(i), 800}};
        e.status = statuses[i];
        list.flights.push_back(e);
    }
    return list;
}

std::vector<int> Selected(const FlightList& list) {
    std::vector<int> numbers;
    for (const FlightEntry& e : list.flights) {
        if (e.selected) {
            numbers.push_back(e.Number());
        }
    }
    return numbers;
}

TEST(FlightChoice, NewAllOrNumbersNeverTakeAFlightAlreadyInTheFolder) {
    using S = FlightStatus;
    FlightList list = ListOf({S::Stored, S::Stored, S::New, S::TooShort, S::Overwritten, S::New});
    list.flights[0].inOutput = true;  // flight 2 is stored in the logbook's folder only
    const struct {
        const char* text;
        std::vector<int> selected;
    } cases[]{
        {"new", {3, 6}},
        {"all", {2, 3, 6}},
        {"1,2,4,6", {2, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string error;
        const auto choice = ParseFlightChoice(c.text, error);
        ASSERT_TRUE(choice) << error;
        ASSERT_TRUE(ApplyChoice(list, *choice, error)) << error;
        EXPECT_EQ(Selected(list), c.selected);
    }
    EXPECT_EQ(DefaultChoice(list).kind, FlightChoice::New);
    EXPECT_EQ(DefaultChoice(ListOf({S::New, S::New})).kind, FlightChoice::All);

    std::string error;
    for (const char* bad : {"", "3,", "0", "17", "1;2", "newest", "2,x"}) {
        EXPECT_FALSE(ParseFlightChoice(bad, error)) << bad;
        EXPECT_EQ(error, FormatText(kMsgBadFlightChoice, kMaxFlights, bad));
    }
    // A flight the logger does not hold: nothing ticked.
    EXPECT_FALSE(ApplyChoice(list, *ParseFlightChoice("7", error), error));
    EXPECT_EQ(error, FormatText(kMsgNoSuchFlight, 7, 6));
}

TEST(FlightChoice, TheListNamesEveryFlightAndWhereItIsStored) {
    FlightList list = BuildFlightList(Block({3264, 5664, 1136, 1456}, true));
    list.flights[1].status = FlightStatus::Stored;
    list.flights[1].storedIn = {"out/2014-3-7_1.dat"};
    list.flights[2].selected = true;
    EXPECT_EQ(FlightListText(list),
              "The logger holds 4 flights:\n"
              "  [ ]  1    400 samples     80.0 s  overwritten by cycle recording\n"
              "  [ ]  2    300 samples     60.0 s  already stored: out/2014-3-7_1.dat\n"
              "  [x]  3    450 samples     90.0 s  new\n"
              "  [ ]  4     40 samples      8.0 s  shorter than 64 samples, not kept\n"
              "Cycle recording has written over the oldest flights: they can no longer be read "
              "whole.\n");
}

}  // namespace
}  // namespace tavix
