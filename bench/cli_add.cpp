// SPDX-License-Identifier: GPL-3.0-or-later
// tessel-cli add --recursive of 100,000 empty files in 100 folders into a new list, timed
// as a whole process, against a bare loop that lists each folder through its descriptor
// and asks fstatat about each name. Goal: within 1.5x of the bare loop.

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <cstring>

#include "CliBench.h"
#include "FilesBenchSupport.h"

namespace {

constexpr int kFiles = 100000;
constexpr int kFolders = 100;

const CBenchFiles& Files() {
    static CBenchFiles files(kFiles, kFolders);
    return files;
}

std::string RootOf(const CBenchFiles& files) {
    std::string folder = files.Folders().front();
    folder.pop_back();
    return folder.substr(0, folder.find_last_of('/'));
}

void BM_TesselCliAdd(benchmark::State& state) {
    std::string root = RootOf(Files());
    std::string list = clibench::MakeScratchFolder("tessel-bench-add") + "/list.tsl";
    double cpuTotal = 0;
    for (auto _ : state) {
        std::remove(list.c_str());
        double cpu = clibench::CpuSeconds(RUSAGE_CHILDREN);
        auto start = std::chrono::steady_clock::now();
        int status = clibench::RunProgram({clibench::CliPath(), "add", list, root, "--recursive"});
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        cpuTotal += clibench::CpuSeconds(RUSAGE_CHILDREN) - cpu;
        if (status != 0)
            state.SkipWithError("tessel-cli add failed");
    }
    state.counters["cpu_s"] = benchmark::Counter(cpuTotal, benchmark::Counter::kAvgIterations);
    std::filesystem::remove_all(std::filesystem::path(list).parent_path());
}

void BM_BareReaddirFstatat(benchmark::State& state) {
    std::string root = RootOf(Files());
    double cpuTotal = 0;
    for (auto _ : state) {
        double cpu = clibench::CpuSeconds(RUSAGE_SELF);
        auto start = std::chrono::steady_clock::now();
        int found = 0;
        for (const std::string& folder : Files().Folders()) {
            int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            DIR* dir = fdopendir(fd);
            struct stat st;
            while (const dirent* entry = readdir(dir))
                if (entry->d_name[0] != '.')
                    found += fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0;
            closedir(dir);
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        cpuTotal += clibench::CpuSeconds(RUSAGE_SELF) - cpu;
        if (found != kFiles)
            state.SkipWithError("not every file was found");
    }
    state.counters["cpu_s"] = benchmark::Counter(cpuTotal, benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_TesselCliAdd)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_BareReaddirFstatat)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();
