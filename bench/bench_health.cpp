// Flight health: the events, the pack's resistance and the motor's figures of
// a full record (8 channels x 16384 samples),
// found on every load of a record, and the packs of a folder of 2,000 record
// files against the logbook over the same folder (packs reads the folder as
// the logbook does, then gathers the flights by pack).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "BenchRecords.h"
#include "analysis/FlightEvents.h"
#include "analysis/MotorHealth.h"
#include "analysis/PackTrend.h"
#include "analysis/SpanIndex.h"
#include "core/records/RecordTestData.h"
#include "fakes/TempDir.h"
#include "flight/Conversion.h"
#include "records/CTavixDoc.h"
#include "records/Logbook.h"
#include "records/PackBook.h"
#include "records/RecordCodec.h"
#include "sim/LoggerMemory.h"

namespace {

using namespace tavix;

// The simulator's samples as a record.
std::unique_ptr<FlightRecord> RecordOf(const std::vector<sim::Sample>& flight) {
    const int samples = static_cast<int>(flight.size());
    auto record = test::MakeRecord(kUploadChannels, samples);
    record->header.gearRate = 1.0f;
    for (int j = 0; j < samples; ++j) {
        record->raw[kVoltage][j] = flight[j].voltage;
        record->raw[kCurrent][j] = flight[j].current;
        record->raw[kThrottle][j] = flight[j].throttle;
        record->raw[kTemperature][j] = flight[j].temperature;
        record->raw[kMotorRpm][j] = flight[j].rpmPeriod;
    }
    return record;
}

// A simulated flight of `samples` samples, with events to find when `troubled`.
std::unique_ptr<FlightRecord> SimulatedRecord(int samples, std::uint32_t seed, bool troubled) {
    return RecordOf(sim::GenerateFlight(samples, seed, troubled));
}

// Worst case: every sample random, so every rule finds runs everywhere.
void BM_EventsRandomFullRecord(benchmark::State& state) {
    auto record = bench::MakeRandomRecord();
    auto smoothed = std::make_unique<SmoothedChannel>();
    SmoothRecord(*record, {4, 2, 1, 8, 4, 1, 1, 1}, *smoothed);
    const SpanIndex index(*record, *smoothed);
    for (auto _ : state) {
        auto events = FindEvents(*record, index, EventLimits{});
        benchmark::DoNotOptimize(events);
    }
}
BENCHMARK(BM_EventsRandomFullRecord)->Unit(benchmark::kMillisecond);

// A believable full flight with a low pack, heat and lost sync.
void BM_EventsSimulatedFullRecord(benchmark::State& state) {
    auto record = SimulatedRecord(kMaxSamples, 7, true);
    record->header.channels = kChannelCount;
    auto smoothed = std::make_unique<SmoothedChannel>();
    SmoothRecord(*record, {4, 2, 1, 8, 4, 1, 1, 1}, *smoothed);
    const SpanIndex index(*record, *smoothed);
    for (auto _ : state) {
        auto events = FindEvents(*record, index, EventLimits{});
        benchmark::DoNotOptimize(events);
    }
}
BENCHMARK(BM_EventsSimulatedFullRecord)->Unit(benchmark::kMillisecond);

void BM_ResistanceFullRecord(benchmark::State& state) {
    auto record = SimulatedRecord(kMaxSamples, 7, true);
    auto smoothed = std::make_unique<SmoothedChannel>();
    SmoothRecord(*record, {4, 2, 1, 8, 4, 1, 1, 1}, *smoothed);
    const SpanIndex index(*record, *smoothed);
    for (auto _ : state) {
        auto ohms = FlightResistance(index);
        benchmark::DoNotOptimize(ohms);
    }
}
BENCHMARK(BM_ResistanceFullRecord)->Unit(benchmark::kMillisecond);

// The motor's figures of a full record (16,384 samples) of a motor flight:
// steady samples, the fit and the propeller's median, from the record's index.
void BM_MotorFullRecord(benchmark::State& state) {
    auto record = RecordOf(sim::GenerateMotorFlight(kMaxSamples, 7, sim::MotorSpec{}));
    auto smoothed = std::make_unique<SmoothedChannel>();
    SmoothRecord(*record, {4, 2, 1, 8, 4, 1, 1, 1}, *smoothed);
    const SpanIndex index(*record, *smoothed);
    for (auto _ : state) {
        MotorEstimate estimate = FlightMotor(index);
        benchmark::DoNotOptimize(estimate);
    }
}
BENCHMARK(BM_MotorFullRecord)->Unit(benchmark::kMillisecond);

// 2,000 record files of 1,000 samples (3 min 20 s at 5 per second), half of
// them on one of four packs, in a folder made once for both benchmarks.
class RecordFolder {
public:
    static constexpr int kFiles = 2000;
    RecordFolder() {
        path_ = std::filesystem::temp_directory_path() / "tavix-bench-packs";
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        for (int i = 0; i < kFiles; ++i) {
            auto record = SimulatedRecord(1000, static_cast<std::uint32_t>(i), i % 3 == 0);
            record->header.timeA = 1394193600 + i * 3600;
            const std::string note =
                i % 2 == 0 ? "Pack: P" + std::to_string(i % 8 / 2) + "\nfield" : "field";
            SetFixedText(record->header.note, note);
            test::WriteBytes((path_ / ("f" + std::to_string(i) + ".dat")).string(),
                             EncodeRecordFile(*record));
        }
        test::AddProfile(ini_, "1L40", 0.1f, 0.000001f);
    }
    ~RecordFolder() { std::filesystem::remove_all(path_); }
    std::string Path() const { return path_.string(); }
    const CIniFile& Ini() const { return ini_; }

private:
    std::filesystem::path path_;
    CIniFile ini_;
};

RecordFolder& Folder() {
    static RecordFolder folder;
    return folder;
}

void BM_Logbook2000(benchmark::State& state) {
    LogbookReader reader(Folder().Ini(), {4, 2, 1, 8, 4, 1, 1, 1});
    for (auto _ : state) {
        std::vector<LogbookEntry> entries;
        std::string error;
        // A folder that can't be read would time nothing.
        if (!ReadLogbook(Folder().Path(), reader, entries, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        std::string text = LogbookCsv(entries);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_Logbook2000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Packs2000(benchmark::State& state) {
    LogbookReader reader(Folder().Ini(), {4, 2, 1, 8, 4, 1, 1, 1});
    for (auto _ : state) {
        std::vector<LogbookEntry> entries;
        std::string error;
        // A folder that can't be read would time nothing.
        if (!ReadLogbook(Folder().Path(), reader, entries, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        std::string text = PacksCsv(SummarizePacks(PackFlights(entries)));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_Packs2000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
