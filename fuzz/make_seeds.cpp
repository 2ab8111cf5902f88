// Writes the seed corpus of every fuzz target, made by the program's own code
// so that the fuzzers start from inputs that get past the first checks:
//   fuzz_record  records of 1, 5 and 8 channels from the simulator's flights,
//                the largest record file the reader takes, and records whose
//                extension carries the ESC's block and a section of a newer build
//   fuzz_esc_snapshot a snapshot of every series as the history keeps it
//   fuzz_summary a record and one with control characters in every text
//   fuzz_ini     the default config.ini, lines at the longest length and past it
//   fuzz_escparam a parameter file of every series as the program writes it
//   fuzz_reply   every request the program sends and the device's reply to it,
//                a flood of noise before a reply, the largest reply
//   fuzz_firmware firmware files of 0, 1, 512 and 513 bytes, as the tests make them
// Usage: make_seeds OUT_DIR DEFAULT_CONFIG_INI
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "config/CIniFile.h"
#include "esc/EscHistory.h"
#include "esc/EscParamText.h"
#include "esc/EscSeries.h"
#include "fakes/FirmwareFixture.h"
#include "link/Frame.h"
#include "logger/FlightSplitter.h"
#include "logger/LoggerHeader.h"
#include "records/CTavixDoc.h"
#include "records/RecordCodec.h"
#include "shell/Clock.h"
#include "sim/DeviceProfile.h"
#include "sim/LoggerMemory.h"
#include "sim/SimDevice.h"

namespace fs = std::filesystem;
using namespace tavix;

namespace {

void Write(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "make_seeds: cannot write %s\n", file.c_str());
        std::exit(1);
    }
}

std::string AsString(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// The moment the seeds are made at, so that they are the same on every build.
class SeedClock : public Clock {
public:
    std::int64_t Now() const override { return 1394193600; }
    LocalTime LocalNow() const override { return {2014, 3, 7, 12, 0, 0}; }
};

// A section of an extension as a newer build would add it: a tag this build
// does not know, a length, the payload and its CRC.
std::string NewerSection(const std::string& payload) {
    std::string section = "GPSt";
    for (int i = 0; i < 4; ++i) {
        section.push_back(static_cast<char>(payload.size() >> (8 * i)));
    }
    section += payload;
    const std::uint32_t crc = Crc32(section);
    for (int i = 0; i < 4; ++i) {
        section.push_back(static_cast<char>(crc >> (8 * i)));
    }
    return section;
}

// A simulated flight of `samples` samples, decoded as an upload decodes it,
// stored with `channels` channels (channels past 4 repeat the voltage), and
// with the block of a simulated ESC of `escSeries` (-1: none) as an upload
// after identification stores it.
std::string RecordOf(int channels, int samples, std::uint32_t seed, int escSeries = -1) {
    sim::MemoryPlan plan;
    plan.flights = {samples};
    plan.seed = seed;
    const sim::GeneratedMemory memory = sim::GenerateLoggerMemory(plan);
    const LoggerBlock block = DecodeLoggerHeader(memory.bytes.data());
    const Bytes image(memory.bytes.begin() + 64, memory.bytes.begin() + 64 + UploadLength(block));
    auto record = std::make_unique<FlightRecord>();
    record->header.poles = 14;
    record->header.gearRate = 1.0f;
    record->calibration[kMotorRpm].k = 0.000001f;
    FlightSplitter splitter(block, image);
    splitter.Decode(splitter.Extent(0), *record);
    SetFixedText(record->header.hwCode, "1L40");
    SetFixedText(record->header.version, "TVKA20141L400312");
    record->header.timeA = record->header.timeB = 1394193600;  // 7 March 2014
    record->header.channels = channels;
    for (int ch = 5; ch < channels; ++ch) {
        record->raw[ch] = record->raw[0];
    }
    if (escSeries >= 0) {
        record->escBlock = AsString(sim::DefaultParamBlock(static_cast<sim::Series>(escSeries)));
    }
    return EncodeRecordFile(*record);
}

// 8 channels of kMaxSamples samples: the largest file the reader takes.
std::string LargestRecord() {
    auto record = std::make_unique<FlightRecord>();
    record->header.channels = kChannelCount;
    record->header.samples = kMaxSamples;
    record->header.rate = 10;
    record->header.poles = 14;
    record->header.gearRate = 1.0f;
    SetFixedText(record->header.hwCode, "1L40");
    for (int ch = 0; ch < kChannelCount; ++ch) {
        for (int j = 0; j < kMaxSamples; ++j) {
            record->raw[ch][j] = (j * (ch + 1)) % 4096;
        }
    }
    return EncodeRecordFile(*record);
}

// A record whose every text field holds control characters and formula starts.
std::string HostileRecord() {
    auto record = std::make_unique<FlightRecord>();
    record->header.channels = 5;
    record->header.samples = 16;
    record->header.rate = 5;
    record->header.poles = 0;
    record->header.gearRate = 1e38f;
    SetFixedText(record->header.hwCode, "1L40");
    SetFixedText(record->header.version, "TVK\n\x1B[2J\r\x07=1");
    SetFixedText(record->header.note, "=HYPERLINK(\"x\")\x1B]0;t\x07\n-2+3\t@");
    SetFixedText(record->channels[0].name, "\x1B[31mVolt\n");
    return EncodeRecordFile(*record);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_seeds OUT_DIR DEFAULT_CONFIG_INI\n");
        return 2;
    }
    const fs::path out = argv[1];
    for (const char* target : {"fuzz_record", "fuzz_ini", "fuzz_reply", "fuzz_firmware",
                               "fuzz_escparam", "fuzz_summary", "fuzz_esc_snapshot"}) {
        fs::create_directories(out / target);
    }

    Write(out / "fuzz_record" / "channels1.dat", RecordOf(1, 64, 1));
    Write(out / "fuzz_record" / "channels5.dat", RecordOf(5, 100, 2));
    Write(out / "fuzz_record" / "channels8.dat", RecordOf(8, 64, 3));
    // The largest record the record memory takes: 8 channels of every sample.
    Write(out / "fuzz_record" / "largest.dat", LargestRecord());
    // The ESC's settings after the record, and a newer build's section after them.
    Write(out / "fuzz_record" / "with-esc.dat", RecordOf(2, 16, 4, 2));
    Write(out / "fuzz_record" / "with-newer.dat",
          RecordOf(1, 8, 5, 0) + NewerSection(std::string(24, '\x5A')));
    // Records with text from elsewhere in every text field.
    Write(out / "fuzz_summary" / "channels5.dat", RecordOf(5, 100, 2));
    Write(out / "fuzz_summary" / "hostile.dat", HostileRecord());

    // ESC parameter files as the program writes them, for every series.
    for (int series = 0; series < 4; ++series) {
        const EscSeriesTable& table = *SeriesTable(series);
        EscParamState state;
        std::string prefix{static_cast<char>(series), '\x19'};
        for (const EscList& list : table.lists) {
            state.selection.push_back(list.defaultIndex);
            prefix += static_cast<char>(list.defaultIndex + 1);
        }
        state.version = {"TVKA", "2014", "1L40", "0312"};
        const std::string text = ParamFileText(table, state);
        Write(out / "fuzz_escparam" / (table.name + ".bin"), prefix + "TVKA20141L400312" + text);
        if (series == 0) {
            Write(out / "fuzz_escparam" / (table.name + ".esc.txt"), text);
        }
    }

    // Snapshots as the history writes them: one of every series, and the
    // Ostrin's again after a write changed it (the sequence and reason differ).
    const SeedClock clock;
    EscHistory history((out / "fuzz_esc_snapshot").string(), clock);
    for (int series = 0; series < 4; ++series) {
        Bytes block = sim::DefaultParamBlock(static_cast<sim::Series>(series));
        if (!history.Keep(SnapshotReason::Read, block).empty()) {
            std::fprintf(stderr, "make_seeds: cannot keep a snapshot\n");
            return 1;
        }
        if (series == 2) {
            block[7] = 9;  // a value the table has no entry for
            (void)history.Keep(SnapshotReason::AfterWrite, block);
        }
    }

    std::ifstream config(argv[2], std::ios::binary);
    Write(out / "fuzz_ini" / "config.ini",
          std::string(std::istreambuf_iterator<char>(config), std::istreambuf_iterator<char>()));
    // Lines at the longest the reader takes, and one byte past it.
    const std::string longest(CIniFile::kMaxLineLength - 2, 'v');
    Write(out / "fuzz_ini" / "longest-line.ini", "[display]\r\nn=" + longest + "\r\nk=1\r\n");
    Write(out / "fuzz_ini" / "too-long-line.ini",
          "[display]\r\nn=" + longest + "v\r\nk=1\r\n[later]\r\nx=2\r\n");

    // Every command the program sends, and what the simulated device answers.
    const Bytes block(512, 0x5A);
    const Bytes eight(8, 0x00);
    const Bytes requests[] = {
        BuildRequest(kCmdReadBlock, kParamBlockAddress, 512),
        BuildRequest(kCmdReadMemory, 0, 64),
        BuildRequest(kCmdReadMemory, 64, 512),
        BuildRequest(kCmdWriteMemory, 0, 8, eight),
        BuildRequest(kCmdWriteBlock, kParamBlockAddress, 512, block),
        BuildRequest(kCmdWriteFirmware, 0, 512, block),
    };
    // A reply seed is [awaited request][piece seed][line]: the request index
    // as fuzz_reply numbers them (8 added: matched by the reply's own command).
    const auto replySeed = [&out](const std::string& name, int awaited, const Bytes& line) {
        std::string bytes{static_cast<char>(awaited), '\0'};
        Write(out / "fuzz_reply" / name, bytes + AsString(line));
    };
    int n = 0;
    for (const Bytes& request : requests) {
        sim::SimDevice device(sim::Series::Tarrow);
        replySeed("request" + std::to_string(n) + ".bin", n, request);
        for (const Bytes& reply : device.Receive(request.data(), request.size())) {
            replySeed("reply" + std::to_string(n) + ".bin", n, reply);
            replySeed("own" + std::to_string(n) + ".bin", n + 8, reply);
            if (n == 0) {
                // Behind a flood of the awaited command byte longer than a
                // receive buffer (the engine keeps four; a longer seed only
                // slows every run of the fuzzer).
                Bytes flood(2 * kReceiveBufferSize, kCmdReadBlock);
                flood.insert(flood.end(), reply.begin(), reply.end());
                replySeed("flood.bin", 0, flood);
            }
        }
        ++n;
    }
    // The largest reply that fits the receive buffer: a memory read of 1017 bytes.
    const Bytes largest(kMaxReplyData, 0xA5);
    replySeed("largest.bin", 6,
              BuildFrame(kCmdReadMemory, 0, static_cast<std::uint16_t>(kMaxReplyData),
                         largest.data(), largest.size()));

    for (std::size_t size : {0, 1, 512, 513}) {
        const std::string hex = test::HexText(test::PatternImage(size));
        Write(out / "fuzz_firmware" / ("image" + std::to_string(size) + ".Dlc"),
              test::FirmwareText(hex, "1234567890ABCDEF"));
    }
    return 0;
}
