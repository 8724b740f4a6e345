// SPDX-License-Identifier: GPL-3.0-or-later
// Filling entries from 100,000 real files against a bare lstat loop over the same paths.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "BenchSupport.h"

namespace {

constexpr int kFiles = 100000;
constexpr int kPerFolder = 1000;

// 100 folders of 1,000 empty files, made once for both benchmarks.
const std::vector<std::string>& BenchFiles() {
    static CBenchDir dir;
    static std::vector<std::string> paths = [] {
        std::vector<std::string> made;
        made.reserve(kFiles);
        for (int i = 0; i < kFiles; ++i) {
            std::string folder = dir.Path() + "/Album " + std::to_string(i / kPerFolder);
            if (i % kPerFolder == 0)
                mkdir(folder.c_str(), 0755);
            std::string path = folder + "/" + std::to_string(i % 100) + " Track title " +
                               std::to_string(i) + ".mp3";
            int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
            if (fd >= 0)
                close(fd);
            made.push_back(path);
        }
        return made;
    }();
    return paths;
}

void BM_LstatLoop(benchmark::State& state) {
    const std::vector<std::string>& paths = BenchFiles();
    for (auto _ : state) {
        int found = 0;
        struct stat st;
        for (const std::string& path : paths)
            found += lstat(path.c_str(), &st) == 0;
        if (found != kFiles)
            state.SkipWithError("files missing");
        benchmark::DoNotOptimize(found);
    }
    state.counters["files"] = kFiles;
}

void BM_FillFromPath(benchmark::State& state) {
    const std::vector<std::string>& paths = BenchFiles();
    for (auto _ : state) {
        int found = 0;
        for (const std::string& path : paths) {
            CFileFacts facts;
            found += facts.FillFromPath(path);
            benchmark::DoNotOptimize(facts.m_strModified);
        }
        if (found != kFiles)
            state.SkipWithError("files missing");
    }
    state.counters["files"] = kFiles;
}

}  // namespace

BENCHMARK(BM_LstatLoop)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FillFromPath)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
