// SPDX-License-Identifier: GPL-3.0-or-later
// tessel-cli tags (reading) and tessel-cli tag --title (writing) over 10,000 tagged MP3
// files, timed as whole processes, against id3tool doing the same in one call, and the
// writes against a bare open, pread, pwrite and close loop. Goal: faster than id3tool.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>

#include "CliBench.h"

namespace {

constexpr int kFiles = 10000;

struct SFiles {
    SFiles() {
        root = clibench::MakeScratchFolder("tessel-bench-tags");
        std::string audio(4096, '\x55');
        char name[64];
        for (int i = 0; i < kFiles; ++i) {
            std::snprintf(name, sizeof name, "/song_%05d.mp3", i);
            paths.push_back(root + name);
            std::string tag(128, '\0');
            tag.replace(0, 3, "TAG");
            std::snprintf(name, sizeof name, "Title %d", i);
            tag.replace(3, std::string(name).size(), name);
            tag.replace(33, 6, "Artist");
            tag.replace(63, 5, "Album");
            tag.replace(93, 4, "1999");
            tag[127] = static_cast<char>(i % 145);
            std::ofstream(paths.back(), std::ios::binary) << audio << tag;
        }
    }
    ~SFiles() { std::filesystem::remove_all(root); }

    std::string root;
    std::vector<std::string> paths;
};

SFiles& Files() {
    static SFiles files;
    return files;
}

// words, then each iteration's title when titleAt is given (it alternates, so that every
// run changes every tag), then the files.
void TimeProgram(benchmark::State& state, std::vector<std::string> words,
                 size_t titleAt = std::string::npos) {
    const std::vector<std::string>& paths = Files().paths;
    words.insert(words.end(), paths.begin(), paths.end());
    double cpuTotal = 0;
    int iteration = 0;
    for (auto _ : state) {
        if (titleAt != std::string::npos)
            words[titleAt] = ++iteration % 2 ? "Song A" : "Song B";
        double cpu = clibench::CpuSeconds(RUSAGE_CHILDREN);
        auto start = std::chrono::steady_clock::now();
        int status = clibench::RunProgram(words);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        cpuTotal += clibench::CpuSeconds(RUSAGE_CHILDREN) - cpu;
        if (status != 0)
            state.SkipWithError("the program failed");
    }
    state.counters["cpu_s"] = benchmark::Counter(cpuTotal, benchmark::Counter::kAvgIterations);
}

void BM_TesselCliTags(benchmark::State& state) {
    TimeProgram(state, {clibench::CliPath(), "tags"});
}

void BM_Id3tool(benchmark::State& state) {
    TimeProgram(state, {"id3tool"});
}

void BM_TesselCliTagTitle(benchmark::State& state) {
    TimeProgram(state, {clibench::CliPath(), "tag", "--title", ""}, 3);
}

void BM_Id3toolTitle(benchmark::State& state) {
    TimeProgram(state, {"id3tool", "-t", ""}, 2);
}

void BM_BareOpenPreadPwrite(benchmark::State& state) {
    const std::vector<std::string>& paths = Files().paths;
    double cpuTotal = 0;
    unsigned char block[128];
    for (auto _ : state) {
        double cpu = clibench::CpuSeconds(RUSAGE_SELF);
        auto start = std::chrono::steady_clock::now();
        int done = 0;
        for (const std::string& path : paths) {
            int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
            off_t end = 4096;
            done += fd >= 0 && pread(fd, block, sizeof block, end) == 128 &&
                    pwrite(fd, block, sizeof block, end) == 128;
            close(fd);
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        cpuTotal += clibench::CpuSeconds(RUSAGE_SELF) - cpu;
        if (done != kFiles)
            state.SkipWithError("a file was not written");
    }
    state.counters["cpu_s"] = benchmark::Counter(cpuTotal, benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_TesselCliTags)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Id3tool)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_TesselCliTagTitle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Id3toolTitle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_BareOpenPreadPwrite)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();
