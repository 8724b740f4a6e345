// SPDX-License-Identifier: GPL-3.0-or-later
// tessel-cli go --yes on 100,000 files of one folder whose new names are taken by one
// another, timed as a whole process against a bare renameat2 loop that knows the order:
// - a rotation (each file takes the next one's name, one cycle), against a loop that
//   moves the first file to a temporary name, the others one by one, and the first back.
//   Goal: within 1.5x of the loop.
// - a chain in reverse row order (each row's new name is the next row's old one, the last
//   one free), against a loop renaming from the end. Goal: within 1.3x of the loop.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <vector>

#include "BareRename.h"
#include "BenchSupport.h"
#include "CliBench.h"
#include "model/Profile.h"
#include "model/TesselDoc.h"

namespace {

constexpr int kFiles = 100000;

// Files "track_NNNNNN.dat" in one folder; row i is to get the name of file i + 1 (of
// file 0 for the last row when the rows turn, of a free name when they form a chain).
struct SFolder {
    explicit SFolder(bool turns) {
        root = clibench::MakeScratchFolder(turns ? "tessel-bench-turn" : "tessel-bench-chain");
        folder = root + "/music";
        list = root + "/list.tsl";
        state = root + "/state";
        std::filesystem::create_directory(folder);
        for (int i = 0; i <= kFiles; ++i)
            paths.push_back(folder + "/" + Name(i) + ".dat");
        SBenchSession bench;
        CTesselSession& session = bench.session;
        for (int i = 0; i < kFiles; ++i) {
            int fd = open(paths[static_cast<size_t>(i)].c_str(), O_CREAT | O_WRONLY, 0644);
            close(fd);
            CHitDoc entry(paths[static_cast<size_t>(i)]);
            entry.m_strNewName.Set(Name(turns ? (i + 1) % kFiles : i + 1));
            session.AddEntry(entry);
        }
        CTesselDoc doc(session);
        doc.OnSaveDocument(list);
        std::ifstream in(list, std::ios::binary);
        listBytes.assign(std::istreambuf_iterator<char>(in), {});
        setenv("XDG_STATE_HOME", state.c_str(), 1);
    }
    ~SFolder() { std::filesystem::remove_all(root); }

    static std::string Name(int i) {
        char name[32];
        std::snprintf(name, sizeof name, "track_%06d", i);
        return name;
    }
    void ResetList() const { std::ofstream(list, std::ios::binary | std::ios::trunc) << listBytes; }

    std::string root, folder, list, state, listBytes;
    std::vector<std::string> paths;  // kFiles + 1: the last one is the chain's free name
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Times f as wall time, and adds the CPU time it took (of this process and of the
// programs it ran) to cpu.
template <class F>
double Seconds(double& cpu, F&& f) {
    double before = clibench::CpuSeconds(RUSAGE_SELF) + clibench::CpuSeconds(RUSAGE_CHILDREN);
    auto start = std::chrono::steady_clock::now();
    f();
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cpu += clibench::CpuSeconds(RUSAGE_SELF) + clibench::CpuSeconds(RUSAGE_CHILDREN) - before;
    return wall;
}

// The loop's renames: the rotation through one temporary name, or the chain from its end.
void LoopRenames(const SFolder& folder, bool turns, std::vector<std::string>& from,
                 std::vector<std::string>& to) {
    const std::vector<std::string>& p = folder.paths;
    from.clear();
    to.clear();
    std::string temporary = folder.folder + "/.bare-temporary";
    if (turns) {
        from.push_back(p[0]);
        to.push_back(temporary);
    }
    for (int i = kFiles - 1; i >= (turns ? 1 : 0); --i) {
        from.push_back(p[static_cast<size_t>(i)]);
        to.push_back(p[static_cast<size_t>(turns ? (i + 1) % kFiles : i + 1)]);
    }
    if (turns) {
        from.push_back(temporary);
        to.push_back(p[1]);
    }
}

// The loop and tessel-cli in turns within each iteration, so that a machine that speeds
// up or slows down weighs on both alike; the CPU time of each is counted apart.
void RunAgainstLoop(benchmark::State& state, bool turns) {
    SFolder folder(turns);
    std::string cli = clibench::CliPath();
    std::vector<std::string> from, to;
    LoopRenames(folder, turns, from, to);
    // A chain goes back the other way round, from its start.
    std::vector<std::string> backFrom(to.rbegin(), to.rend()), backTo(from.rbegin(), from.rend());
    double goCpu = 0, bareCpu = 0;
    std::vector<double> bare, go;
    for (auto _ : state) {
        bool renamed = true;
        // Each turn starts with nothing waiting to be written: go syncs its journal, and
        // would otherwise also write out the renames of the turn before it.
        sync();
        bare.push_back(Seconds(bareCpu, [&] { renamed = BareRenameLoop(from, to); }));
        // Back where they were: a rotation is turned the rest of the way, a chain undone.
        if (!turns)
            BareRenameLoop(backFrom, backTo);
        folder.ResetList();
        sync();
        int status = -1;
        go.push_back(Seconds(goCpu, [&] {
            status = clibench::RunProgram({cli, "go", folder.list, "--yes"});
        }));
        if (!turns)
            BareRenameLoop(backFrom, backTo);
        folder.ResetList();
        state.SetIterationTime(go.back());
        if (!renamed || status != 0)
            state.SkipWithError("a rename failed");
    }
    // Each turn's go against the loop just before it: the host's speed drifts less within
    // a pair than over the whole run.
    std::vector<double> pairs;
    for (size_t i = 0; i < go.size(); ++i) {
        pairs.push_back(go[i] / bare[i]);
        std::fprintf(stderr, "pair %zu: loop %.0f ms, go %.0f ms, %.2fx\n", i, bare[i] * 1e3,
                     go[i] * 1e3, pairs.back());
    }
    state.counters["pair_median"] = Median(pairs);
    state.counters["go_median_ms"] = Median(go) * 1e3;
    state.counters["bare_median_ms"] = Median(bare) * 1e3;
    state.counters["go_per_bare"] = Median(go) / Median(bare);
    state.counters["go_cpu_per_bare_cpu"] = goCpu / bareCpu;
}

void BM_RotationAgainstLoopThroughOneTemporaryName(benchmark::State& state) {
    RunAgainstLoop(state, true);
}

void BM_ChainInReverseRowOrderAgainstLoopInTheRightOrder(benchmark::State& state) {
    RunAgainstLoop(state, false);
}

}  // namespace

BENCHMARK(BM_RotationAgainstLoopThroughOneTemporaryName)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(11);
BENCHMARK(BM_ChainInReverseRowOrderAgainstLoopInTheRightOrder)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(11);

BENCHMARK_MAIN();
