// tessel-cli tags over 10,000 tagged MP3 files, timed as a whole process, against
// id3tool reading the same files in one call. Goal: faster than id3tool.

#include <benchmark/benchmark.h>

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

void TimeProgram(benchmark::State& state, std::vector<std::string> words) {
    const std::vector<std::string>& paths = Files().paths;
    words.insert(words.end(), paths.begin(), paths.end());
    double cpuTotal = 0;
    for (auto _ : state) {
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

}  // namespace

BENCHMARK(BM_TesselCliTags)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Id3tool)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();
