// Loading a large config.ini: one section with many entries (every entry a
// new name, so each insert looks the name up first), and many sections. The
// whole load of a 10 MB file should take well under a second.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "config/CIniFile.h"
#include "fakes/TempDir.h"

namespace {

std::string OneSection(std::size_t bytes) {
    std::string text = "[big]\r\n";
    for (int i = 0; text.size() < bytes; ++i) {
        text += "entry" + std::to_string(i) + "=value " + std::to_string(i) + "\r\n";
    }
    return text;
}

std::string ManySections(std::size_t bytes) {
    std::string text;
    for (int i = 0; text.size() < bytes; ++i) {
        text += "[s" + std::to_string(i) + "]\r\nkvalue0=0.5\r\ncvalue0=1\r\n";
    }
    return text;
}

// The smallest entries and sections a file can hold: the worst case for the
// bookkeeping per entry (at most 1 s and 100 MB for 10 MB).
std::string TinyEntries(std::size_t bytes) {
    std::string text = "[s]\n";
    for (int i = 0; text.size() < bytes; ++i) {
        text += std::to_string(i) + "=\n";
    }
    return text;
}

std::string TinySections(std::size_t bytes) {
    std::string text;
    for (int i = 0; text.size() < bytes; ++i) {
        text += "[" + std::to_string(i) + "]\na=\n";
    }
    return text;
}

void Load(benchmark::State& state, const std::string& text) {
    tavix::test::TempDir dir;
    const std::string path = dir.File("config.ini");
    tavix::test::WriteBytes(path, text);
    for (auto _ : state) {
        tavix::CIniFile ini;
        ini.SetFilePath(path);
        benchmark::DoNotOptimize(ini.Load());
        benchmark::DoNotOptimize(ini.GetText("big", "entry7"));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_LoadOneSection(benchmark::State& state) {
    Load(state, OneSection(static_cast<std::size_t>(state.range(0)) << 20));
}
BENCHMARK(BM_LoadOneSection)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_LoadManySections(benchmark::State& state) {
    Load(state, ManySections(static_cast<std::size_t>(state.range(0)) << 20));
}
BENCHMARK(BM_LoadManySections)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_LoadTinyEntries(benchmark::State& state) {
    Load(state, TinyEntries(static_cast<std::size_t>(state.range(0)) << 20));
}
BENCHMARK(BM_LoadTinyEntries)->Arg(10)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_LoadTinySections(benchmark::State& state) {
    Load(state, TinySections(static_cast<std::size_t>(state.range(0)) << 20));
}
BENCHMARK(BM_LoadTinySections)->Arg(10)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace
