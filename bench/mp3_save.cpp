// SPDX-License-Identifier: GPL-3.0-or-later
// Save ID3 of every row's changed tag: preview, write and results. Goal: within 1.5x of a
// bare loop of open, one 128-byte pwrite and close over the same files.
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

void BM_SaveID3WritesChangedTags(benchmark::State& state) {
    SBenchSession bench;
    CTesselSession& session = bench.session;
    for (const std::string& path : Folder().Paths())
        session.AddEntry(CHitDoc(path));
    ToggleMode(session);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string title = "Title " + std::to_string(round++);
        for (int row = 0; row < kFiles; ++row)
            session.List().GetEntry(row).EditTitle().Set(title);
        state.ResumeTiming();
        SaveID3(session);
        state.PauseTiming();
        if (session.List().GetEntry(kFiles - 1).IsTagChanged())
            state.SkipWithError("tags were not written");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_SaveID3WritesChangedTags)->Unit(benchmark::kMillisecond);

void BM_BarePwrite(benchmark::State& state) {
    char block[128] = "TAGTitle";
    const off_t offset = 4096;
    for (auto _ : state) {
        for (const std::string& path : Folder().Paths()) {
            int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
            benchmark::DoNotOptimize(pwrite(fd, block, sizeof block, offset));
            close(fd);
        }
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_BarePwrite)->Unit(benchmark::kMillisecond);

// Only the system calls Save ID3 cannot do without, through a folder descriptor: the
// preview's access probe of every file, then open, fstat, pread of the old block, pwrite
// and close. What the save costs beyond this is its own work (the preview's records, the
// tag fields).
void BM_SaveSystemCallsOnly(benchmark::State& state) {
    const std::string& first = Folder().Paths().front();
    const std::string folder = first.substr(0, first.rfind('/'));
    std::vector<std::string> names;
    for (const std::string& path : Folder().Paths())
        names.push_back(path.substr(folder.size() + 1));
    char block[128] = "TAGTitle";
    char old[128];
    for (auto _ : state) {
        int dir = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        for (const std::string& name : names)
            benchmark::DoNotOptimize(faccessat(dir, name.c_str(), W_OK, AT_EACCESS));
        close(dir);
        dir = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        for (const std::string& name : names) {
            int fd = openat(dir, name.c_str(), O_RDWR | O_CLOEXEC | O_NOATIME);
            struct stat st;
            fstat(fd, &st);
            benchmark::DoNotOptimize(pread(fd, old, sizeof old, st.st_size - 128));
            benchmark::DoNotOptimize(pwrite(fd, block, sizeof block, st.st_size - 128));
            close(fd);
        }
        close(dir);
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_SaveSystemCallsOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
