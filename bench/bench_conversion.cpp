// Converting a full record (8 channels x 16384 samples) to physical values,
// with the running-sum moving average against the plain one that sums every
// window from scratch. Both produce the same numbers (see the config tests);
// the ratio of the two times is the speed-up.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "BenchRecords.h"
#include "flight/Conversion.h"
#include "flight/FlightData.h"
#include "support/ReferenceSmoothing.h"

namespace {

using tavix::FlightRecord;
using tavix::kChannelCount;
using tavix::kMaxSamples;

std::unique_ptr<FlightRecord> MakeFullRecord() {
    auto record = tavix::bench::MakeRandomRecord();
    return record;
}

std::array<int, kChannelCount> Windows(const benchmark::State& state) {
    std::array<int, kChannelCount> windows{};
    windows.fill(static_cast<int>(state.range(0)));
    return windows;
}

void BM_ConvertRecord(benchmark::State& state) {
    auto flight = std::make_unique<tavix::FlightData>();
    flight->record = *MakeFullRecord();
    const auto windows = Windows(state);
    for (auto _ : state) {
        tavix::ConversionResult result = flight->Convert(windows);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kChannelCount * kMaxSamples);
}

void BM_ConvertRecordPlainSums(benchmark::State& state) {
    auto record = MakeFullRecord();
    auto smoothed = std::make_unique<tavix::SmoothedChannel>();
    const auto windows = Windows(state);
    for (auto _ : state) {
        for (int i = 0; i < kChannelCount; ++i) {
            tavix::test::ReferenceSmoothChannel(record->raw[i].data(), kMaxSamples, windows[i],
                                                (*smoothed)[i].data());
        }
        tavix::ConversionResult result = tavix::EvaluateRecord(*record, *smoothed);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kChannelCount * kMaxSamples);
}

// The moving average alone, one channel of 16384 samples.
void BM_SmoothChannel(benchmark::State& state) {
    auto record = MakeFullRecord();
    auto smoothed = std::make_unique<tavix::SmoothedChannel>();
    const int window = static_cast<int>(state.range(0));
    for (auto _ : state) {
        tavix::SmoothChannel(record->raw[0].data(), kMaxSamples, window, (*smoothed)[0].data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kMaxSamples);
}

void BM_SmoothChannelPlainSums(benchmark::State& state) {
    auto record = MakeFullRecord();
    auto smoothed = std::make_unique<tavix::SmoothedChannel>();
    const int window = static_cast<int>(state.range(0));
    for (auto _ : state) {
        tavix::test::ReferenceSmoothChannel(record->raw[0].data(), kMaxSamples, window,
                                            (*smoothed)[0].data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kMaxSamples);
}

// The motor's periods, whose zeros (no reading) are left out of the mean:
// one channel of 16384 samples, a tenth of them without a reading.
void BM_SmoothPeriods(benchmark::State& state) {
    auto record = MakeFullRecord();
    auto smoothed = std::make_unique<tavix::SmoothedChannel>();
    std::int32_t* raw = record->raw[tavix::kMotorRpm].data();
    for (int j = 0; j < kMaxSamples; j += 10) {
        raw[j] = 0;
    }
    const int window = static_cast<int>(state.range(0));
    for (auto _ : state) {
        tavix::SmoothPeriods(raw, kMaxSamples, window, (*smoothed)[0].data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kMaxSamples);
}

}  // namespace

BENCHMARK(BM_SmoothPeriods)->Arg(1)->Arg(16)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConvertRecord)->Arg(1)->Arg(16)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConvertRecordPlainSums)->Arg(1)->Arg(16)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SmoothChannel)->Arg(1)->Arg(16)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SmoothChannelPlainSums)->Arg(1)->Arg(16)->Arg(1024)->Unit(benchmark::kMicrosecond);
