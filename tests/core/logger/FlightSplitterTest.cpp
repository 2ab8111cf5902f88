// Splitting an uploaded logger memory into flights, decoding the samples and
// writing one record file per flight.
#include "logger/FlightSplitter.h"

#include <gtest/gtest.h>

#include <map>

#include "base/FormatText.h"
#include "base/Paths.h"
#include "fakes/FixedClock.h"
#include "fakes/TempDir.h"
#include "logger/LoggerHeader.h"
#include "logger/LoggerMessages.h"
#include "records/RecordFile.h"
#include "sim/LoggerMemory.h"

namespace tavix {
namespace {

using sim::Sample;

// A logger memory laid out from whole flights, and the image an upload of it gives.
struct Memory {
    Bytes bytes;
    LoggerBlock block;
    Bytes image;  // addresses 64 .. 64 + upload length

    explicit Memory(const sim::GeneratedMemory& generated) : bytes(generated.bytes) {
        block = DecodeLoggerHeader(bytes.data());
        const int length = UploadLength(block);
        image.assign(bytes.begin() + 64, bytes.begin() + 64 + std::max(length, 0));
    }
};

Memory MemoryOf(std::vector<int> flights, bool cycle = false, std::uint16_t last = 0x1FFF) {
    sim::MemoryPlan plan;
    plan.lastAddress = last;
    plan.cycleRecording = cycle;
    plan.flights = std::move(flights);
    return Memory(sim::GenerateLoggerMemory(plan));
}

// A cycle-recorded header: flight 1 fills most of the ring, flight 2 (28
// samples) runs over the end onto it, flight 3 is empty.
LoggerBlock WrappedBlock() {
    LoggerBlock block;
    block.lastAddress = 0x1FFF;
    block.cycle = 1;
    block.flightCount = 3;
    const std::uint16_t ends[] = {8000, 100, 100};
    for (int i = 0; i < 3; ++i) {
        block.endAddresses[2 * i] = static_cast<std::uint8_t>(ends[i] >> 8);
        block.endAddresses[2 * i + 1] = static_cast<std::uint8_t>(ends[i]);
    }
    return block;
}

// Memory holding exactly the given samples as flight 0.
Memory MemoryWithSamples(const std::vector<Sample>& samples) {
    sim::GeneratedMemory m;
    m.bytes.assign(0x2000, 0xFF);
    std::fill(m.bytes.begin(), m.bytes.begin() + 64, 0);
    for (std::size_t j = 0; j < samples.size(); ++j) {
        sim::EncodeSample(samples[j], m.bytes.data() + 64 + 8 * j);
    }
    const auto end = static_cast<std::uint16_t>(64 + 8 * samples.size());
    m.bytes[16] = 0x1F;
    m.bytes[17] = 0xFF;
    m.bytes[22] = 5;
    m.bytes[31] = 1;
    m.bytes[32] = static_cast<std::uint8_t>(end >> 8);
    m.bytes[33] = static_cast<std::uint8_t>(end);
    return Memory(m);
}

// What the record should hold for a flight: the logger's values, with a
// temperature or period of 0 after the first sample repeating the one before.
std::array<std::vector<std::int32_t>, 5> Expected(const std::vector<Sample>& samples) {
    std::array<std::vector<std::int32_t>, 5> out;
    for (std::size_t j = 0; j < samples.size(); ++j) {
        const Sample& s = samples[j];
        out[0].push_back(s.voltage);
        out[1].push_back(s.current);
        out[2].push_back(s.throttle);
        out[3].push_back(s.temperature == 0 && j > 0 ? out[3].back() : s.temperature);
        out[4].push_back(s.rpmPeriod == 0 && j > 0 ? out[4].back() : s.rpmPeriod);
    }
    return out;
}

std::vector<std::int32_t> RawOf(const FlightRecord& record, int channel) {
    return std::vector<std::int32_t>(record.raw[channel].begin(),
                                     record.raw[channel].begin() + record.header.samples);
}

class FlightSplitterTest : public ::testing::Test {
protected:
    FlightSplitterTest() {
        work->header.poles = 14;
        work->header.gearRate = 1.0f;
        work->calibration[kMotorRpm].k = 0.000001f;
    }

    // Keeps a copy of every record stored, by path.
    StoreRecordFn Keep() {
        return [this](const std::string& path, const FlightRecord& record, std::string&) {
            stored.emplace(path, std::make_unique<FlightRecord>(record));
            return true;
        };
    }

    SplitOutcome Split(const Memory& memory, const std::string& dir = "") {
        return FlightSplitter(memory.block, memory.image).WriteFlights(*work, clock, dir, Keep());
    }

    std::unique_ptr<FlightRecord> work = std::make_unique<FlightRecord>();
    test::FixedClock clock;
    std::map<std::string, std::unique_ptr<FlightRecord>> stored;
};

TEST_F(FlightSplitterTest, EachFlightIsDecodedIntoItsOwnFileNamedOnTheLocalDate) {
    sim::MemoryPlan plan = sim::NormalMemoryPlan();  // 380, 40 (too short), 300, 230
    const auto generated = sim::GenerateLoggerMemory(plan);
    const SplitOutcome outcome = Split(Memory(generated));

    EXPECT_EQ(outcome.files,
              (std::vector<std::string>{"2014-3-7_1.dat", "2014-3-7_2.dat", "2014-3-7_3.dat"}));
    EXPECT_EQ(outcome.fates, (std::vector<FlightFate>{FlightFate::Written, FlightFate::TooShort,
                                                      FlightFate::Written, FlightFate::Written}));
    EXPECT_TRUE(outcome.messages.empty());
    const int flightOfFile[] = {0, 2, 3};
    for (int n = 0; n < 3; ++n) {
        const FlightRecord& r = *stored.at(outcome.files[n]);
        const auto expected = Expected(generated.flights[flightOfFile[n]]);
        ASSERT_EQ(r.header.samples, static_cast<int>(expected[0].size()));
        for (int ch = 0; ch < 5; ++ch) {
            EXPECT_EQ(RawOf(r, ch), expected[ch]) << "file " << n << " channel " << ch;
        }
        EXPECT_EQ(r.header.channels, 5);
        EXPECT_EQ(r.header.rate, 5);
        EXPECT_EQ(r.header.timeA, clock.now);
        EXPECT_EQ(r.header.timeB, clock.now);
        EXPECT_EQ(r.logger.flightCount, 4);
    }
}

TEST_F(FlightSplitterTest, FilesGoToTheChosenDirectoryWithoutLeadingZeros) {
    clock.local = {2009, 12, 25, 8, 0, 0};
    const SplitOutcome outcome = Split(MemoryOf({64, 64}), "/data/flights");
    EXPECT_EQ(outcome.files,
              (std::vector<std::string>{JoinPath("/data/flights", "2009-12-25_1.dat"),
                                        JoinPath("/data/flights", "2009-12-25_2.dat")}));
    EXPECT_EQ(RecordFileName({2014, 3, 7, 0, 0, 0}, 1), "2014-3-7_1.dat");
}

TEST_F(FlightSplitterTest, AnEarlierUploadOfTheSameDayIsNeverOverwritten) {
    test::TempDir dir;
    test::WriteBytes(dir.File("2014-3-7_1.dat"), "first upload, flight 1");
    test::WriteBytes(dir.File("2014-3-7_3.dat"), "first upload, flight 3");
    const SplitOutcome outcome = Split(MemoryOf({64, 64, 64}), dir.Path().string());
    EXPECT_EQ(outcome.files,
              (std::vector<std::string>{dir.File("2014-3-7_2.dat"), dir.File("2014-3-7_4.dat"),
                                        dir.File("2014-3-7_5.dat")}));
    EXPECT_EQ(test::ReadBytes(dir.File("2014-3-7_1.dat")), "first upload, flight 1");
    EXPECT_EQ(test::ReadBytes(dir.File("2014-3-7_3.dat")), "first upload, flight 3");
}

TEST_F(FlightSplitterTest, ANameTakenByAnotherUploadMeanwhileIsLeftAndTheNextNumberUsed) {
    test::TempDir dir;
    // The other upload writes 2014-3-7_1.dat after this one found the name
    // free and before its file is in place (a slow disk, a network share).
    bool first = true;
    const StoreRecordFn store = [&](const std::string& path, const FlightRecord&,
                                    std::string& reason) {
        if (first) {
            first = false;
            test::WriteBytes(path, "the other upload's flight");
        }
        return StoreNewRecordFile(path, "this upload's flight", reason);
    };
    const Memory memory = MemoryOf({64, 64});
    const SplitOutcome outcome = FlightSplitter(memory.block, memory.image)
                                     .WriteFlights(*work, clock, dir.Path().string(), store);
    EXPECT_EQ(outcome.files,
              (std::vector<std::string>{dir.File("2014-3-7_2.dat"), dir.File("2014-3-7_3.dat")}));
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(test::ReadBytes(dir.File("2014-3-7_1.dat")), "the other upload's flight");
    EXPECT_EQ(test::ReadBytes(dir.File("2014-3-7_2.dat")), "this upload's flight");
}

TEST_F(FlightSplitterTest, SixtyFourSamplesAreKeptAndSixtyThreeDropped) {
    const SplitOutcome outcome = Split(MemoryOf({63, 64, 10}));
    EXPECT_EQ(outcome.fates, (std::vector<FlightFate>{FlightFate::TooShort, FlightFate::Written,
                                                      FlightFate::TooShort}));
    ASSERT_EQ(outcome.files.size(), 1u);
    EXPECT_EQ(outcome.files[0], "2014-3-7_1.dat");
    EXPECT_EQ(stored.at(outcome.files[0])->header.samples, 64);
    EXPECT_TRUE(outcome.messages.empty());
}

TEST_F(FlightSplitterTest, WhenNoFlightIsLongEnoughNoFileIsWrittenAndItIsSaid) {
    const SplitOutcome outcome = Split(MemoryOf({10, 63}));
    EXPECT_TRUE(outcome.files.empty());
    EXPECT_TRUE(stored.empty());
    EXPECT_EQ(outcome.messages,
              std::vector<std::string>{FormatText(kMsgNoFlightLongEnough, kMinFlightSamples)});
}

TEST_F(FlightSplitterTest, NothingKeptIsSaidOnceAndOnlyWhenNoOtherMessageExplainsIt) {
    // Wrapped ring: a short flight ran over the end onto the first one, and
    // the last is empty. Only the two whole flights are looked at.
    const LoggerBlock block = WrappedBlock();
    const Bytes image(0x2000 - 64, 1);
    SplitOutcome outcome = FlightSplitter(block, image).WriteFlights(*work, clock, "", Keep());
    EXPECT_EQ(outcome.fates, (std::vector<FlightFate>{FlightFate::TooShort, FlightFate::Empty}));
    EXPECT_EQ(outcome.messages,
              std::vector<std::string>{FormatText(kMsgNoFlightLongEnough, kMinFlightSamples)});

    // A flight long enough whose file failed, and one too short: the failure
    // is the whole story; "no flight was long enough" would be untrue.
    const Memory memory = MemoryOf({64, 10});
    outcome = FlightSplitter(memory.block, memory.image)
                  .WriteFlights(*work, clock, "",
                                [](const std::string&, const FlightRecord&, std::string& reason) {
                                    reason = "Read-only file system";
                                    return false;
                                });
    EXPECT_EQ(outcome.fates,
              (std::vector<FlightFate>{FlightFate::WriteFailed, FlightFate::TooShort}));
    EXPECT_EQ(outcome.messages,
              std::vector<std::string>{
                  FormatText(kMsgRecordWriteFailed, "2014-3-7_1.dat", "Read-only file system")});
}

TEST_F(FlightSplitterTest, TheSummaryNamesEveryFileAndEverySkippedFlightWithItsReason) {
    // 380, 40 (too short), 300, 230 samples; the second file cannot be written.
    const Memory memory(sim::GenerateLoggerMemory(sim::NormalMemoryPlan()));
    // A folder that is absolute as it stands on every system, as the summary
    // names it.
    const test::TempDir dir;
    const std::string folder = dir.Path().string();
    int calls = 0;
    const SplitOutcome outcome =
        FlightSplitter(memory.block, memory.image)
            .WriteFlights(*work, clock, folder,
                          [&calls](const std::string&, const FlightRecord&, std::string& reason) {
                              reason = "Disk full";
                              return ++calls != 2;
                          });
    EXPECT_EQ(UploadSummaryText(outcome),
              "Flights found in the logger: 4\n"
              "2 new, 0 already stored in " +
                  folder + "\nRecord files written: 2, in " + folder +
                  "\n"
                  "  2014-3-7_1.dat\n"
                  "  2014-3-7_3.dat\n"
                  "Skipped:\n"
                  "  flight 2: 40 samples, shorter than 64\n"
                  "  flight 3: the file " +
                  JoinPath(folder, "2014-3-7_2.dat") + " could not be written (Disk full)");

    // A wrapped ring: the flight written over is named as such.
    const Bytes image(0x2000 - 64, 1);
    EXPECT_EQ(UploadSummaryText(
                  FlightSplitter(WrappedBlock(), image).WriteFlights(*work, clock, folder, Keep())),
              "Flights found in the logger: 3\n"
              "0 new, 0 already stored in " +
                  folder +
                  "\n"
                  "No record file was written.\n"
                  "Skipped:\n"
                  "  flight 1: overwritten by cycle recording, a later flight was written over it\n"
                  "  flight 2: 28 samples, shorter than 64\n"
                  "  flight 3: no samples");
}

TEST_F(FlightSplitterTest, ZeroTemperatureAndPeriodRepeatThePreviousSampleButNotTheFirst) {
    std::vector<Sample> samples(64, Sample{100, 20, 50, 40, 2000});
    samples[0] = Sample{0, 0, 0, 0, 0};  // no reading at all in the first sample
    samples[1] = Sample{120, 30, 60, 45, 1000};
    samples[2] = Sample{0, 0, 0, 0, 0};  // voltage 0 is a value; temperature 0 is not
    samples[3] = Sample{110, 25, 55, 0, 1500};
    Split(MemoryWithSamples(samples));
    const FlightRecord& r = *stored.begin()->second;
    EXPECT_EQ((std::vector<int>{r.raw[0][0], r.raw[0][1], r.raw[0][2], r.raw[0][3]}),
              (std::vector<int>{0, 120, 0, 110}));
    EXPECT_EQ((std::vector<int>{r.raw[3][0], r.raw[3][1], r.raw[3][2], r.raw[3][3]}),
              (std::vector<int>{0, 45, 45, 45}));
    EXPECT_EQ((std::vector<int>{r.raw[4][0], r.raw[4][1], r.raw[4][2], r.raw[4][3]}),
              (std::vector<int>{0, 1000, 1000, 1500}));
}

TEST_F(FlightSplitterTest, RawExtremesAndRpmRangeComeFromTheFlight) {
    std::vector<Sample> samples(64, Sample{100, 20, 50, 40, 1500});
    samples[5] = Sample{90, 80, 100, 70, 1000};  // fastest rotation: shortest period
    samples[9] = Sample{130, 10, 0, 30, 2000};
    Split(MemoryWithSamples(samples));
    const FlightRecord& r = *stored.begin()->second;
    EXPECT_EQ(r.channels[0].statA, 130);
    EXPECT_EQ(r.channels[0].statB, 90);
    EXPECT_EQ(r.channels[1].statA, 80);
    EXPECT_EQ(r.channels[1].statB, 10);
    EXPECT_EQ(r.channels[2].statA, 100);
    EXPECT_EQ(r.channels[2].statB, 0);
    EXPECT_EQ(r.channels[3].statA, 70);
    EXPECT_EQ(r.channels[3].statB, 30);
    // 30 / (14 x 1 x 0.000001 x 1000) = 2142.9 and / 2000 = 1071.4, cut to whole RPM.
    EXPECT_EQ(r.channels[4].statA, 2142);
    EXPECT_EQ(r.channels[4].statB, 1071);
    EXPECT_FLOAT_EQ(r.ranges[4].min, 1071.0f);
    EXPECT_FLOAT_EQ(r.ranges[4].max, 2143.0f);
}

TEST_F(FlightSplitterTest, AFlightStartingWithoutRpmReadingTakesItsFastestRealPeriod) {
    std::vector<Sample> samples(64, Sample{100, 20, 50, 40, 2000});
    samples[0].rpmPeriod = 0;  // the raw minimum is 0: no reading, no division by it
    samples[1].rpmPeriod = 0;
    samples[7].rpmPeriod = 1000;
    Split(MemoryWithSamples(samples));
    const FlightRecord& r = *stored.begin()->second;
    EXPECT_EQ(r.raw[4][1], 0);
    EXPECT_EQ(r.channels[4].statA, 2142);
    EXPECT_EQ(r.channels[4].statB, 1071);
    EXPECT_FLOAT_EQ(r.ranges[4].min, 1071.0f);
    EXPECT_FLOAT_EQ(r.ranges[4].max, 2143.0f);
}

TEST_F(FlightSplitterTest, NoRpmReadingAtAllOrNoRpmCalibrationReadsAsZeroRpm) {
    std::vector<Sample> samples(64, Sample{100, 20, 50, 40, 0});
    Split(MemoryWithSamples(samples));
    const FlightRecord& silent = *stored.begin()->second;
    EXPECT_EQ(silent.channels[4].statA, 0);
    EXPECT_EQ(silent.channels[4].statB, 0);
    EXPECT_FLOAT_EQ(silent.ranges[4].min, 0.0f);
    EXPECT_FLOAT_EQ(silent.ranges[4].max, 1.0f);

    // A profile without a k for the RPM channel gives no reading either.
    stored.clear();
    samples.assign(64, Sample{100, 20, 50, 40, 2000});
    work->calibration[kMotorRpm].k = 0.0f;
    Split(MemoryWithSamples(samples));
    EXPECT_EQ(stored.begin()->second->channels[4].statA, 0);
    EXPECT_EQ(stored.begin()->second->channels[4].statB, 0);
}

TEST_F(FlightSplitterTest, WrappedMemoryKeepsEveryFlightTheRingDidNotWriteOver) {
    // 400, 300, 450 samples in a ring of 1016: the last runs over the end
    // onto the first; the second is untouched and kept.
    const auto generated = sim::GenerateLoggerMemory(sim::WrappedMemoryPlan());
    ASSERT_TRUE(generated.wrapped);
    const Memory memory(generated);
    EXPECT_EQ(memory.image.size(), 0x2000u - 64u);  // the whole ring is read
    const SplitOutcome outcome = Split(memory);
    ASSERT_EQ(outcome.files.size(), 2u);
    EXPECT_TRUE(outcome.flights.at(0).overwritten);
    for (int flight : {1, 2}) {
        const FlightRecord& r = *stored.at(outcome.files[flight - 1]);
        const auto expected = Expected(generated.flights[flight]);
        ASSERT_EQ(r.header.samples, static_cast<int>(generated.flights[flight].size()));
        EXPECT_EQ(r.flightNumber, flight + 1);
        for (int ch = 0; ch < 5; ++ch) {
            EXPECT_EQ(RawOf(r, ch), expected[ch]) << "flight " << flight << " channel " << ch;
        }
    }
}

TEST_F(FlightSplitterTest, RingWrapsOnlyBetweenWholeSamples) {
    // A ring whose sample area is not a whole number of samples: 8000 - 64 + 4
    // bytes. The sample that reaches past the end is read whole (its last bytes
    // beyond the memory read as no reading) before the position returns to 64.
    const std::uint16_t last = 8003;
    LoggerBlock block;
    block.lastAddress = last;
    block.cycle = 1;
    block.flightCount = 2;
    const std::uint16_t ends[] = {7936, 64 + 8 * 10};
    for (int i = 0; i < 2; ++i) {
        block.endAddresses[2 * i] = static_cast<std::uint8_t>(ends[i] >> 8);
        block.endAddresses[2 * i + 1] = static_cast<std::uint8_t>(ends[i]);
    }
    Bytes image(last + 1 - 64, 0);
    auto put = [&](std::size_t offset, std::uint8_t voltage) { image[offset] = voltage; };
    // Samples of flight 1 at 7936 (offset 7872) ... the one at offset 7936 runs past the end.
    for (int j = 0; j < 9; ++j) {
        put(7872 + 8 * j, static_cast<std::uint8_t>(200 + j));
    }
    for (int j = 0; j < 60; ++j) {
        put(8 * j, static_cast<std::uint8_t>(j + 1));
    }
    const FlightSplitter splitter(block, image);
    EXPECT_TRUE(MapFlights(block)[0].overwritten);
    const FlightExtent extent = splitter.Extent(1);
    EXPECT_EQ(extent.samples, (64 + 80 - 64 + last - 7936 + 1) / 8);  // 18
    splitter.Decode(extent, *work);
    EXPECT_EQ(work->raw[0][0], 200);
    EXPECT_EQ(work->raw[0][8], 208);
    EXPECT_EQ(work->raw[0][9], 1);  // back at 64 after the sample that ran over
    EXPECT_EQ(work->raw[0][17], 9);
}

TEST_F(FlightSplitterTest, AFileThatCannotBeWrittenIsReportedAndTheNextFlightGoesOn) {
    int calls = 0;
    const Memory memory = MemoryOf({64, 70, 80});
    const SplitOutcome outcome =
        FlightSplitter(memory.block, memory.image)
            .WriteFlights(*work, clock, "out",
                          [&](const std::string& path, const FlightRecord&, std::string& reason) {
                              ++calls;
                              if (path == JoinPath("out", "2014-3-7_2.dat")) {
                                  reason = "No space left on device";
                                  return false;
                              }
                              return true;
                          });
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(outcome.files, (std::vector<std::string>{JoinPath("out", "2014-3-7_1.dat"),
                                                       JoinPath("out", "2014-3-7_3.dat")}));
    EXPECT_EQ(outcome.fates, (std::vector<FlightFate>{FlightFate::Written, FlightFate::WriteFailed,
                                                      FlightFate::Written}));
    EXPECT_EQ(outcome.messages,
              std::vector<std::string>{FormatText(kMsgRecordWriteFailed,
                                                  JoinPath("out", "2014-3-7_2.dat").c_str(),
                                                  "No space left on device")});
}

TEST_F(FlightSplitterTest, AHeaderThatContradictsItselfDoesNotReadPastTheImage) {
    LoggerBlock block;
    block.lastAddress = 0x1FFF;
    block.flightCount = 3;
    // Flight 0 ends far beyond what was read, flight 1 ends below 64, flight 2
    // starts there.
    const std::uint16_t ends[] = {0x1F00, 0x0010, 0x0400};
    for (int i = 0; i < 3; ++i) {
        block.endAddresses[2 * i] = static_cast<std::uint8_t>(ends[i] >> 8);
        block.endAddresses[2 * i + 1] = static_cast<std::uint8_t>(ends[i]);
    }
    const Bytes image(512, 7);  // much less than the header claims
    const SplitOutcome outcome =
        FlightSplitter(block, image).WriteFlights(*work, clock, "", Keep());
    // Flights 1 and 2 lie partly below 64, in the header: nothing of them is
    // read or written; flight 0 is, with no reading beyond the image.
    ASSERT_EQ(outcome.files.size(), 1u);
    const FlightRecord& first = *stored.at(outcome.files[0]);
    EXPECT_EQ(first.raw[0][0], 7);
    EXPECT_EQ(first.raw[0][first.header.samples - 1], 0);  // beyond the image: no reading
    EXPECT_EQ(outcome.fates,
              (std::vector<FlightFate>{FlightFate::Written, FlightFate::Empty, FlightFate::Empty}));
}

TEST(LoggerHeader, UploadLengthFollowsTheLastFlightAndTheRing) {
    LoggerBlock b;
    b.lastAddress = 0x1FFF;
    auto ends = [&](std::vector<std::uint16_t> list) {
        b.flightCount = static_cast<std::uint8_t>(list.size());
        for (std::size_t i = 0; i < list.size(); ++i) {
            b.endAddresses[2 * i] = static_cast<std::uint8_t>(list[i] >> 8);
            b.endAddresses[2 * i + 1] = static_cast<std::uint8_t>(list[i]);
        }
    };
    ends({1000, 3000});
    b.cycle = 0;
    EXPECT_EQ(UploadLength(b), 3000 - 64);
    b.cycle = 1;
    EXPECT_FALSE(MemoryHasWrapped(b));
    EXPECT_EQ(UploadLength(b), 3000 - 64);
    ends({6000, 500});  // the last flight ran over the end: the whole ring
    EXPECT_TRUE(MemoryHasWrapped(b));
    EXPECT_EQ(UploadLength(b), 0x2000 - 64);
    ends({6000, 500, 900});  // wrapped earlier, the last flight is whole
    EXPECT_EQ(UploadLength(b), 900 - 64);
    b.cycle = 0;  // without cycle recording the same list reads to the last end
    EXPECT_FALSE(MemoryHasWrapped(b));
    EXPECT_EQ(UploadLength(b), 900 - 64);
    ends({40});  // an end at or before 64: nothing to read
    EXPECT_LE(UploadLength(b), 0);
    ends({});
    EXPECT_EQ(UploadLength(b), 0);
    b.flightCount = 200;  // the header has room for 16 end addresses only
    EXPECT_EQ(FlightCountOf(b), 16);
}

TEST(LoggerHeader, FieldsAreTakenHighByteFirst) {
    std::uint8_t header[64] = {};
    header[16] = 0x1F;
    header[17] = 0xFF;
    header[20] = 7;
    header[22] = 10;
    header[31] = 2;
    header[32] = 0x01;
    header[33] = 0x40;
    header[35] = 0x80;
    const LoggerBlock b = DecodeLoggerHeader(header);
    EXPECT_EQ(b.lastAddress, 0x1FFF);
    EXPECT_EQ(b.firstAddress, 64);
    EXPECT_EQ(b.channels, 5);
    EXPECT_EQ(b.cycle, 1);
    EXPECT_EQ(b.rate, 10);
    EXPECT_EQ(b.flightCount, 2);
    EXPECT_EQ(b.EndAddress(0), 0x0140);
    EXPECT_EQ(b.EndAddress(1), 0x0080);
}

}  // namespace
}  // namespace tavix
