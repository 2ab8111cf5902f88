// Keeping a snapshot of the ESC's settings in a history folder that also
// holds many other files: numbering, the newest of the ESC and pruning go by
// the names alone, so the time should not grow with the other files' size.
#include <benchmark/benchmark.h>

#include <string>

#include "esc/EscHistory.h"
#include "fakes/FixedClock.h"
#include "fakes/TempDir.h"
#include "sim/DeviceProfile.h"

namespace {

using namespace tavix;

void BM_KeepAmongStrayFiles(benchmark::State& state) {
    test::TempDir dir;
    const std::string folder = dir.File("esc-history");
    test::FixedClock clock;
    EscHistory history(folder, clock);
    Bytes block = sim::DefaultParamBlock(sim::Series::Ostrin);
    (void)history.Keep(SnapshotReason::Read, block);
    // Stray files of 60 KB, some under names a parameter file would have.
    const std::string stray(60 * 1024, 'x');
    for (int i = 0; i < state.range(0); ++i) {
        test::WriteBytes(folder + "/stray" + std::to_string(i) + (i % 2 ? ".esc.txt" : ".bin"),
                         stray);
    }
    std::uint8_t value = 0;
    for (auto _ : state) {
        block[10] = static_cast<std::uint8_t>(++value % 8);
        benchmark::DoNotOptimize(history.Keep(SnapshotReason::Read, block));
    }
}
BENCHMARK(BM_KeepAmongStrayFiles)->Arg(0)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
