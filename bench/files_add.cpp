// SPDX-License-Identifier: GPL-3.0-or-later
// Adding 100,000 files to an empty list against a bare lstat loop over their paths.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include "FilesBenchSupport.h"
#include "files/FileAdder.h"
#include "model/Profile.h"
#include "model/TesselSession.h"

namespace {

constexpr int kFiles = 100000;

const CBenchFiles& Files() {
    static CBenchFiles files(kFiles, 1);
    return files;
}

void BM_AddFiles(benchmark::State& state) {
    CBenchPrompts prompts;
    CMemoryProfile profile;
    const std::vector<std::string>& paths = Files().Paths();
    for (auto _ : state) {
        state.PauseTiming();
        auto session = std::make_unique<CTesselSession>(prompts, profile);
        state.ResumeTiming();
        if (DropFiles(*session, paths) != kFiles)
            state.SkipWithError("not every file was added");
        state.PauseTiming();
        session.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_BareLstat(benchmark::State& state) {
    for (auto _ : state) {
        int found = 0;
        struct stat st;
        for (const std::string& path : Files().Paths())
            found += lstat(path.c_str(), &st) == 0;
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

}  // namespace

BENCHMARK(BM_AddFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareLstat)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
