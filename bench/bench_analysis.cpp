// A measuring cursor dragged over a full record (8 channels x 16384 samples):
// each update asks for the statistics of the span between the cursors. The
// index answers from prefix sums and block extremes; the plain pass visits
// every sample of the span, for comparison. Building the index is done once
// per record (and per change of the smoothing).

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

#include "BenchRecords.h"
#include "analysis/SpanIndex.h"
#include "analysis/ThrottleMap.h"
#include "flight/Conversion.h"
#include "flight/FlightData.h"

namespace {

using tavix::FlightRecord;
using tavix::kChannelCount;
using tavix::kMaxSamples;

std::unique_ptr<tavix::FlightData> MakeFullRecord() {
    auto flight = std::make_unique<tavix::FlightData>();
    flight->record = *tavix::bench::MakeRandomRecord();
    tavix::SmoothRecord(flight->record, {4, 2, 1, 8, 4, 1, 1, 1}, flight->smoothed);
    return flight;
}

void BM_BuildSpanIndex(benchmark::State& state) {
    auto record = MakeFullRecord();
    for (auto _ : state) {
        tavix::SpanIndex index(*record);
        benchmark::DoNotOptimize(index);
    }
}
BENCHMARK(BM_BuildSpanIndex)->Unit(benchmark::kMillisecond);

// The throttle map of a full record (10 % bands): over the page's index, and
// with the index built too, as `tavix-cli map` pays it once per record.
void BM_ThrottleMap(benchmark::State& state) {
    auto record = MakeFullRecord();
    const tavix::SpanIndex index(*record);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tavix::MapThrottle(index));
    }
}
BENCHMARK(BM_ThrottleMap)->Unit(benchmark::kMillisecond);

void BM_ThrottleMapWithIndex(benchmark::State& state) {
    auto record = MakeFullRecord();
    for (auto _ : state) {
        benchmark::DoNotOptimize(tavix::MapThrottle(tavix::SpanIndex(*record)));
    }
}
BENCHMARK(BM_ThrottleMapWithIndex)->Unit(benchmark::kMillisecond);

// One cursor update: a span whose end moves a little each time.
void BM_SpanUpdate(benchmark::State& state) {
    auto record = MakeFullRecord();
    const tavix::SpanIndex index(*record);
    int b = 100;
    for (auto _ : state) {
        b = b >= kMaxSamples - 1 ? 100 : b + 37;
        tavix::SpanStatistics stats = index.Span(17, b);
        benchmark::DoNotOptimize(stats);
    }
}
BENCHMARK(BM_SpanUpdate)->Unit(benchmark::kMicrosecond);

// The same update visiting every sample of the span, whole record wide.
void BM_PlainSpanWholeRecord(benchmark::State& state) {
    auto record = MakeFullRecord();
    const tavix::SpanIndex index(*record);
    for (auto _ : state) {
        double total = 0.0;
        for (int s = 0; s < tavix::kQuantityCount; ++s) {
            float lo = INFINITY;
            float hi = -INFINITY;
            double sum = 0.0;
            for (float v : index.Values(s)) {
                if (std::isfinite(v)) {
                    lo = std::min(lo, v);
                    hi = std::max(hi, v);
                    sum += v;
                }
            }
            total += lo + hi + sum;
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_PlainSpanWholeRecord)->Unit(benchmark::kMicrosecond);

}  // namespace
