// SPDX-License-Identifier: GPL-3.0-or-later
// Toggle Mode into MP3 mode reads the tag of every row's file. Goal: within 1.5x of a
// bare loop of open, fstat, pread of the last 128 bytes and close over the same files.
#include <benchmark/benchmark.h>

#include "Mp3BenchSupport.h"
#include "model/Profile.h"
#include "model/TesselSession.h"
#include "mp3/Mp3Mode.h"

namespace {

constexpr int kFiles = 10000;

const CTaggedFolder& Folder() {
    static CTaggedFolder folder(kFiles);
    return folder;
}

void BM_ToggleModeReadsTags(benchmark::State& state) {
    SBenchSession bench;
    CTesselSession& session = bench.session;
    for (const std::string& path : Folder().Paths())
        session.AddEntry(CHitDoc(path));
    for (auto _ : state) {
        ToggleMode(session);
        state.PauseTiming();
        if (!session.IsMp3Mode() || session.List().GetEntry(0).Title().Get() != "Song")
            state.SkipWithError("tags were not read");
        ToggleMode(session);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_ToggleModeReadsTags)->Unit(benchmark::kMillisecond);

void BM_BareOpenPreadClose(benchmark::State& state) {
    char block[128];
    for (auto _ : state) {
        for (const std::string& path : Folder().Paths()) {
            int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
            struct stat st;
            fstat(fd, &st);
            benchmark::DoNotOptimize(pread(fd, block, sizeof block, st.st_size - 128));
            close(fd);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_BareOpenPreadClose)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
