// Four full records (8 channels x 16384 samples) compared: aligned where the
// throttle first reaches 20 %, the whole flights' and the cursors' span
// figures with their differences, the ESC settings that differ, and the table
// built and written as text. The worst alignment search: the throttle reaches
// the level only at the last sample, so every sample is looked at.
//
// The SpanIndex of each record is built outside the timed part, as the window
// holds one for every record it shows; the second benchmark times those
// builds too, as the command line pays them once per run.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "BenchRecords.h"
#include "analysis/FlightCompare.h"
#include "flight/FlightData.h"
#include "link/Frame.h"

namespace {

using namespace tavix;

struct BenchFlights {
    std::vector<std::unique_ptr<FlightData>> data;
    std::vector<std::unique_ptr<SpanIndex>> indexes;
    std::vector<ComparedFlight> flights;

    BenchFlights() {
        const int rates[] = {30, 25, 20, 10};
        for (int i = 0; i < 4; ++i) {
            auto flight = std::make_unique<FlightData>();
            flight->record = *bench::MakeRandomRecord();
            flight->record.header.rate = static_cast<std::uint8_t>(rates[i]);
            auto& throttle = flight->record.raw[kThrottle];
            throttle.fill(0);
            throttle.back() = 65535;
            // An ESC block of a known series, one setting apart in one flight.
            std::string block(kParamBlockSize, '\0');
            block.replace(kBlockVersionOffset, kBlockVersionSize, "TVKA20141L400312");
            block[1] = static_cast<char>(i == 2 ? 1 : 0);
            flight->record.escBlock = block;
            flight->Convert({4, 2, 1, 8, 4, 1, 1, 1});
            data.push_back(std::move(flight));
        }
        BuildIndexes();
    }

    void BuildIndexes() {
        indexes.clear();
        flights.clear();
        for (const auto& flight : data) {
            indexes.push_back(std::make_unique<SpanIndex>(*flight));
            flights.push_back({"2026-12-7_1.dat", std::nullopt, indexes.back().get()});
        }
    }
};

std::string CompareAndWrite(const std::vector<ComparedFlight>& flights) {
    const AlignRequest align{AlignMode::Throttle, 20.0, {}};
    const FlightComparison comparison = CompareFlights(flights, align, SpanRequest{100.0, 400.0});
    return CompareTableText(BuildCompareTable(flights, comparison));
}

void BM_CompareFourRecords(benchmark::State& state) {
    const BenchFlights bench;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CompareAndWrite(bench.flights));
    }
}
BENCHMARK(BM_CompareFourRecords)->Unit(benchmark::kMillisecond);

void BM_CompareFourRecordsWithIndexBuilds(benchmark::State& state) {
    BenchFlights bench;
    for (auto _ : state) {
        bench.BuildIndexes();
        benchmark::DoNotOptimize(CompareAndWrite(bench.flights));
    }
}
BENCHMARK(BM_CompareFourRecordsWithIndexBuilds)->Unit(benchmark::kMillisecond);

}  // namespace
