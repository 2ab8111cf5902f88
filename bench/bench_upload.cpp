// Uploads on a line paced like 9600 baud (960 bytes a second both ways), on
// simulated time: a logger of 16 flights of which 15 are stored already.
//
//   full         every flight read (an empty folder)
//   incremental  the header, one confirm window per stored flight, the new flight
//
// Counters (simulated milliseconds, not the host's):
//   full_ms, incremental_ms   from the button to the summary
//   ratio                     incremental_ms / full_ms (expected well under 0.2)
//   device_ms                 the line's own time for the incremental's requests and
//                             replies (frame bytes / 960 per second)
//   over_device               incremental_ms / device_ms (expected at most 1.1)
#include <benchmark/benchmark.h>

#include <memory>

#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "core/records/RecordTestData.h"
#include "device/ConnectedDevice.h"
#include "device/IdentifySession.h"
#include "device/MainFormLine.h"
#include "fakes/FakePrompt.h"
#include "fakes/FakeTimers.h"
#include "fakes/FixedClock.h"
#include "fakes/TempDir.h"
#include "link/CMSComm.h"
#include "logger/LoggerLink.h"
#include "records/CTavixDoc.h"
#include "records/StoredFlights.h"
#include "sim/SimSerialBackend.h"

namespace tavix {
namespace {

constexpr int kFlights = 16;
constexpr int kSamples = 500;  // 4000 bytes each: 16 fill a 64 KB memory

struct Upload {
    std::int64_t ms = 0;
    double deviceMs = 0.0;
    int files = 0;
};

// One logger on a paced simulated line, with the main form's sessions.
class PacedLogger {
public:
    explicit PacedLogger(int flights)
        : device_(std::make_shared<sim::SimDevice>(sim::Series::Tarrow)),
          comm_(std::make_unique<sim::SimSerialBackend>(device_, time_.NewHost())),
          line_(comm_, *timers_, prompt_),
          identity_(line_, prompt_, ini_, config_, shown_->record),
          link_(line_, identity_, prompt_, clock_, shown_->record) {
        test::AddProfile(ini_, "1L40", 0.1f, 0.000001f);
        sim::MemoryPlan plan;
        plan.lastAddress = 0xFFFF;
        plan.flights.assign(static_cast<std::size_t>(flights), kSamples);
        device_->LoadMemory(plan);
        device_->MutableFaults().pace = true;
        line_.SetPortSource([] { return std::string("demo"); });
        identity_.SetDevice(&connected_);
        link_.storeRecord = &CTavixDoc::StoreFlight;
        link_.findStored = FindStoredCandidates;
        identity_.OnOpenDevice();
        time_.AdvanceUntil([&] { return identity_.State().connected; }, 10000);
    }

    sim::SimDevice& Device() { return *device_; }

    Upload Run(const std::string& folder) {
        link_.outputDirectory = folder;
        device_->ClearLog();
        const std::int64_t start = time_.Now();
        link_.OnUploadRecordData(UploadForm{1.0f, 14, ""});
        time_.AdvanceUntil([&] { return !link_.State().busy; }, 30 * 60 * 1000, 5);
        Upload upload;
        upload.ms = time_.Now() - start;
        upload.files = static_cast<int>(link_.State().writtenFiles.size());
        std::size_t frameBytes = 0;
        for (const DeviceFrame& request : device_->Requests()) {
            frameBytes += 7 + 7 + request.length;  // request out, reply in
        }
        upload.deviceMs = 1000.0 * static_cast<double>(frameBytes) / sim::kLineBytesPerSecond;
        return upload;
    }

private:
    test::FakeTimers time_;
    std::unique_ptr<TimerHost> timers_ = time_.NewHost();
    test::FakePrompt prompt_;
    test::FixedClock clock_;
    CIniFile ini_;
    CAppConfig config_;
    std::unique_ptr<FlightData> shown_ = std::make_unique<FlightData>();
    ConnectedDevice connected_;
    std::shared_ptr<sim::SimDevice> device_;
    CMSComm comm_;
    MainFormLine line_;
    IdentifySession identity_;
    LoggerLink link_;
};

void BM_IncrementalUploadAt9600Baud(benchmark::State& state) {
    for (auto _ : state) {
        test::TempDir fullDir;
        test::TempDir dir;
        PacedLogger full(kFlights);
        const Upload everything = full.Run(fullDir.Path().string());

        PacedLogger logger(kFlights - 1);
        logger.Run(dir.Path().string());
        logger.Device().AppendFlight(kSamples);
        const Upload incremental = logger.Run(dir.Path().string());

        state.counters["full_ms"] = static_cast<double>(everything.ms);
        state.counters["full_files"] = everything.files;
        state.counters["incremental_ms"] = static_cast<double>(incremental.ms);
        state.counters["incremental_files"] = incremental.files;
        state.counters["ratio"] =
            static_cast<double>(incremental.ms) / static_cast<double>(everything.ms);
        state.counters["device_ms"] = incremental.deviceMs;
        state.counters["over_device"] = static_cast<double>(incremental.ms) / incremental.deviceMs;
    }
}
BENCHMARK(BM_IncrementalUploadAt9600Baud)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavix
