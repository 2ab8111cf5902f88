#include "sim/LoggerMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace tavix::sim {
namespace {

std::uint16_t High16(const Bytes& b, std::size_t offset) {
    return static_cast<std::uint16_t>((b[offset] << 8) | b[offset + 1]);
}

// Reads flight `i` back the way the host unwinds the memory: from the end of
// the flight before (64 for the first) to its own end, turning over after the
// last address once a whole sample has been read.
std::vector<Sample> ReadBack(const Bytes& memory, std::size_t i) {
    const std::uint16_t last = High16(memory, kHdrLastAddress);
    const std::size_t start = i == 0 ? 64 : High16(memory, kHdrEndAddresses + 2 * (i - 1));
    const std::size_t end = High16(memory, kHdrEndAddresses + 2 * i);
    const std::size_t m = end >= start ? (end - start) / 8 : (end - 64 + last - start + 1) / 8;
    std::vector<Sample> out;
    std::size_t p = start - 64;
    for (std::size_t j = 0; j < m; ++j) {
        out.push_back(DecodeSample(memory.data() + 64 + p));
        p += 8;
        if (p > static_cast<std::size_t>(last) - 64) {
            p = 0;
        }
    }
    return out;
}

TEST(LoggerMemory, SampleEncodingStoresRpmHighByteFirst) {
    Sample s{120, 40, 150, 60, 0x1234};
    std::uint8_t raw[8];
    EncodeSample(s, raw);
    EXPECT_EQ(raw[4], 0x12);
    EXPECT_EQ(raw[5], 0x34);
    EXPECT_EQ(raw[6], 0);
    EXPECT_EQ(raw[7], 0);
    EXPECT_EQ(DecodeSample(raw), s);
}

TEST(LoggerMemory, NormalMemoryLayout) {
    const MemoryPlan plan = NormalMemoryPlan();
    const GeneratedMemory mem = GenerateLoggerMemory(plan);
    const Bytes& b = mem.bytes;

    ASSERT_EQ(b.size(), 0x2000u);
    EXPECT_EQ(High16(b, kHdrLastAddress), 0x1FFF);
    EXPECT_EQ(High16(b, kHdrFirstAddress), 64);
    EXPECT_EQ(b[kHdrCycle], 0);
    EXPECT_EQ(b[kHdrRate], plan.samplingRate);
    ASSERT_EQ(b[kHdrFlightCount], plan.flights.size());
    EXPECT_FALSE(mem.wrapped);

    std::size_t end = 64;
    for (std::size_t i = 0; i < plan.flights.size(); ++i) {
        end += 8 * static_cast<std::size_t>(plan.flights[i]);
        EXPECT_EQ(High16(b, kHdrEndAddresses + 2 * i), end);
        EXPECT_EQ(mem.endAddresses[i], end);
        EXPECT_EQ(ReadBack(b, i), mem.flights[i]) << "flight " << i;
    }
    // What an upload reads is not a whole number of 512-byte blocks, and one
    // flight is too short to keep.
    EXPECT_NE((end - 64) % 512, 0u);
    EXPECT_TRUE(
        std::any_of(plan.flights.begin(), plan.flights.end(), [](int n) { return n < 64; }));
    // Unused end addresses are zero, unwritten memory is erased.
    for (std::size_t i = plan.flights.size(); i < 16; ++i) {
        EXPECT_EQ(High16(b, kHdrEndAddresses + 2 * i), 0);
    }
    EXPECT_TRUE(std::all_of(b.begin() + static_cast<std::ptrdiff_t>(end), b.end(),
                            [](std::uint8_t v) { return v == 0xFF; }));
}

TEST(LoggerMemory, WrappedMemoryContinuesAtTheStartOfTheRing) {
    const MemoryPlan plan = WrappedMemoryPlan();
    const GeneratedMemory mem = GenerateLoggerMemory(plan);
    const Bytes& b = mem.bytes;
    ASSERT_TRUE(mem.wrapped);
    EXPECT_EQ(b[kHdrCycle], 1);
    const std::size_t n = plan.flights.size();
    ASSERT_EQ(b[kHdrFlightCount], n);
    // The last flight ends below where it began.
    EXPECT_LT(mem.endAddresses[n - 1], mem.endAddresses[n - 2]);
    const std::size_t ring = (0x1FFF + 1 - 64) / 8;
    const int total = std::accumulate(plan.flights.begin(), plan.flights.end(), 0);
    EXPECT_EQ(mem.endAddresses[n - 1], 64 + 8 * (static_cast<std::size_t>(total) - ring));
    // Read back across the turn, it is the flight as recorded.
    EXPECT_EQ(ReadBack(b, n - 1), mem.flights[n - 1]);
    EXPECT_EQ(mem.flights[n - 1].size(), static_cast<std::size_t>(plan.flights[n - 1]));
}

TEST(LoggerMemory, RingTurnsOverAfterWholeSamplesAndAnEarlierWrapIsSeen) {
    // A tiny memory: 64 + 10 samples. Flights of 6, 6 and 3 samples.
    MemoryPlan plan;
    plan.lastAddress = 64 + 80 - 1;
    plan.cycleRecording = true;
    plan.flights = {6, 6, 3};
    const GeneratedMemory mem = GenerateLoggerMemory(plan);
    EXPECT_EQ(mem.endAddresses, (std::vector<std::uint16_t>{64 + 48, 64 + 16, 64 + 40}));
    EXPECT_TRUE(mem.wrapped);
    EXPECT_EQ(ReadBack(mem.bytes, 1), mem.flights[1]);
    EXPECT_EQ(ReadBack(mem.bytes, 2), mem.flights[2]);

    // Exactly filling the ring ends at 64, the start of the next turn.
    plan.flights = {10};
    EXPECT_EQ(GenerateLoggerMemory(plan).endAddresses, (std::vector<std::uint16_t>{64}));
}

TEST(LoggerMemory, WithoutCycleRecordingTheLoggerStopsWhenFull) {
    MemoryPlan plan;
    plan.lastAddress = 64 + 80 - 1;  // room for 10 samples
    plan.flights = {6, 6, 3};
    const GeneratedMemory mem = GenerateLoggerMemory(plan);
    EXPECT_EQ(mem.endAddresses, (std::vector<std::uint16_t>{64 + 48, 64 + 80}));
    EXPECT_EQ(mem.flights[1].size(), 4u);
    EXPECT_EQ(mem.bytes[kHdrFlightCount], 2);
    EXPECT_FALSE(mem.wrapped);
}

TEST(LoggerMemory, AnAppendedFlightIsRecordedAfterTheLastAsTheLoggerWouldRecordIt) {
    const struct {
        const char* what;
        MemoryPlan plan;
        int samples;
        bool taken;
        std::uint16_t end;  // of the new flight
        std::size_t kept;   // samples the logger kept of it
    } cases[]{
        {"after the last flight",
         [] {
             MemoryPlan p;
             p.lastAddress = 64 + 160 - 1;
             p.flights = {6};
             return p;
         }(),
         4, true, 64 + 80, 4},
        {"a ring goes on at 64",
         [] {
             MemoryPlan p;
             p.lastAddress = 64 + 80 - 1;
             p.cycleRecording = true;
             p.flights = {6};
             return p;
         }(),
         6, true, 64 + 16, 6},
        {"a full memory without cycle recording cuts it",
         [] {
             MemoryPlan p;
             p.lastAddress = 64 + 80 - 1;
             p.flights = {6};
             return p;
         }(),
         6, true, 64 + 80, 4},
        {"a full memory takes nothing",
         [] {
             MemoryPlan p;
             p.lastAddress = 64 + 80 - 1;
             p.flights = {10};
             return p;
         }(),
         6, false, 0, 0},
        {"sixteen flights are all a logger holds",
         [] {
             MemoryPlan p;
             p.flights.assign(16, 2);
             return p;
         }(),
         6, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes memory = GenerateLoggerMemory(c.plan).bytes;
        const Bytes before = memory;
        ASSERT_EQ(AppendFlight(memory, c.samples, 7), c.taken);
        if (!c.taken) {
            EXPECT_EQ(memory, before);
            continue;
        }
        const std::size_t n = c.plan.flights.size();
        EXPECT_EQ(memory[kHdrFlightCount], n + 1);
        EXPECT_EQ(High16(memory, kHdrEndAddresses + 2 * n), c.end);
        if (!c.plan.cycleRecording) {
            EXPECT_EQ(ReadBack(memory, 0), ReadBack(before, 0));
        }
        EXPECT_EQ(ReadBack(memory, n).size(), c.kept);
    }
}

TEST(LoggerMemory, GeneratorIsDeterministicAndFlightsIndependent) {
    MemoryPlan plan = NormalMemoryPlan();
    EXPECT_EQ(GenerateLoggerMemory(plan).bytes, GenerateLoggerMemory(plan).bytes);
    EXPECT_EQ(GenerateFlight(200, 7), GenerateFlight(200, 7));
    EXPECT_NE(GenerateFlight(200, 7), GenerateFlight(200, 8));

    const GeneratedMemory before = GenerateLoggerMemory(plan);
    plan.flights.push_back(100);
    const GeneratedMemory after = GenerateLoggerMemory(plan);
    for (std::size_t i = 0; i + 1 < plan.flights.size(); ++i) {
        EXPECT_EQ(after.flights[i], before.flights[i]);
    }
    plan.seed += 1;
    EXPECT_NE(GenerateLoggerMemory(plan).flights[0], before.flights[0]);
}

TEST(LoggerMemory, FlightsLookLikeFlights) {
    const std::vector<Sample> f = GenerateFlight(600, 42);
    ASSERT_EQ(f.size(), 600u);
    // On the ground at both ends: no throttle, no RPM reading.
    EXPECT_EQ(f.front().throttle, 0);
    EXPECT_EQ(f.front().rpmPeriod, 0);
    EXPECT_EQ(f.back().throttle, 0);

    // The battery sags under load: voltage falls as current rises.
    double mi = 0, mv = 0;
    for (const auto& s : f) {
        mi += s.current;
        mv += s.voltage;
    }
    mi /= f.size();
    mv /= f.size();
    double cov = 0;
    for (const auto& s : f) {
        cov += (s.current - mi) * (s.voltage - mv);
    }
    EXPECT_LT(cov, 0.0);
    // And runs down: resting voltage at the end is below the start.
    EXPECT_LT(f[f.size() - 5].voltage, f[2].voltage);

    // The motor warms up; the RPM period is short when the throttle is high.
    const auto hottest = std::max_element(f.begin(), f.end(), [](const Sample& a, const Sample& b) {
        return a.temperature < b.temperature;
    });
    EXPECT_GT(hottest->temperature, f.front().temperature + 10);
    const auto fastest = std::max_element(f.begin(), f.end(), [](const Sample& a, const Sample& b) {
        return a.throttle < b.throttle;
    });
    EXPECT_GT(fastest->throttle, 120);  // over 60 %
    EXPECT_GT(fastest->rpmPeriod, 0);
    EXPECT_LT(fastest->rpmPeriod, 1000);  // over 2000 RPM on a 14-pole motor
}

TEST(LoggerMemory, DemoMemoryHasSensorGapsAndEmptyMemoryHasNoFlights) {
    const GeneratedMemory mem = GenerateLoggerMemory(NormalMemoryPlan());
    int missingTemperature = 0;
    for (const auto& flight : mem.flights) {
        for (std::size_t j = 1; j < flight.size(); ++j) {
            missingTemperature += flight[j].temperature == 0 ? 1 : 0;
        }
    }
    EXPECT_GT(missingTemperature, 0);

    const GeneratedMemory empty = GenerateLoggerMemory(EmptyMemoryPlan());
    EXPECT_EQ(empty.bytes[kHdrFlightCount], 0);
    EXPECT_TRUE(empty.flights.empty());
}

TEST(LoggerMemory, RefusesMemoriesTheLoggerCannotHold) {
    MemoryPlan plan;
    plan.flights.assign(17, 10);
    EXPECT_THROW(GenerateLoggerMemory(plan), std::invalid_argument);
    plan.flights = {-1};
    EXPECT_THROW(GenerateLoggerMemory(plan), std::invalid_argument);
    plan.flights = {10};
    plan.lastAddress = 0x1FFE;  // ring not a whole number of samples
    EXPECT_THROW(GenerateLoggerMemory(plan), std::invalid_argument);
    plan.lastAddress = 40;  // smaller than the header
    EXPECT_THROW(GenerateLoggerMemory(plan), std::invalid_argument);
    plan.lastAddress = 0xFFFF;  // the largest address space works
    plan.flights = {8000};
    EXPECT_EQ(GenerateLoggerMemory(plan).endAddresses.back(), 64 + 8000 * 8);
}

}  // namespace
}  // namespace tavix::sim
