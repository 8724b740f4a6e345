// SPDX-License-Identifier: GPL-3.0-or-later
// tessel-cli go --yes renaming 100,000 files of one folder, timed as a whole process
// (loading the list, planning, the preview, the undo journal, the renames and saving the
// list), against a bare renameat2 loop doing the same renames and against the Perl
// rename tool. Goal: within 1.6x of the bare loop, and faster than rename.

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

// One folder of kFiles files "track_NNNNNN.dat" to be renamed "Song_NNNNNN.dat", and the
// list that says so.
struct SFolder {
    SFolder() {
        root = clibench::MakeScratchFolder("tessel-bench-go");
        folder = root + "/music";
        list = root + "/list.tsl";
        state = root + "/state";
        std::filesystem::create_directory(folder);
        SBenchSession bench;
        CTesselSession& session = bench.session;
        char name[64];
        for (int i = 0; i < kFiles; ++i) {
            std::snprintf(name, sizeof name, "/track_%06d.dat", i);
            oldPaths.push_back(folder + name);
            std::snprintf(name, sizeof name, "Song_%06d", i);
            newPaths.push_back(folder + "/" + name + ".dat");
            int fd = open(oldPaths.back().c_str(), O_CREAT | O_WRONLY, 0644);
            close(fd);
            CHitDoc entry(oldPaths.back());
            entry.m_strNewName.Set(name);
            session.AddEntry(entry);
        }
        CTesselDoc doc(session);
        doc.OnSaveDocument(list);
        std::ifstream in(list, std::ios::binary);
        listBytes.assign(std::istreambuf_iterator<char>(in), {});
        for (const std::string& path : oldPaths)
            names += path + "\n";
        setenv("XDG_STATE_HOME", state.c_str(), 1);
    }
    ~SFolder() { std::filesystem::remove_all(root); }

    static bool RenameAll(const std::vector<std::string>& from,
                          const std::vector<std::string>& to) {
        return BareRenameLoop(from, to);
    }
    // Every file back under its old name and the list as it was built, written out: go
    // syncs its journal, and would otherwise also write out the turn before it.
    void Reset() {
        RenameAll(newPaths, oldPaths);
        std::ofstream(list, std::ios::binary | std::ios::trunc) << listBytes;
        sync();
    }

    std::string root, folder, list, state, listBytes, names;
    std::vector<std::string> oldPaths, newPaths;
};

SFolder& Folder() {
    static SFolder folder;
    return folder;
}

// Times f as wall time, and adds the CPU time it took (of this process and of the
// programs it ran) to cpuTotal.
double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

template <class F>
double Seconds(double& cpuTotal, F&& f) {
    double cpu = clibench::CpuSeconds(RUSAGE_SELF) + clibench::CpuSeconds(RUSAGE_CHILDREN);
    auto start = std::chrono::steady_clock::now();
    f();
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cpu = clibench::CpuSeconds(RUSAGE_SELF) + clibench::CpuSeconds(RUSAGE_CHILDREN) - cpu;
    cpuTotal += cpu;
    return wall;
}

// The three are timed in turns within each iteration, so that a machine that speeds up or
// slows down over the run weighs on all three alike. The iteration time is tessel-cli's;
// the counters give the other two and the ratios of the medians.
void BM_TesselCliGoAgainstBareLoopAndRename(benchmark::State& state) {
    SFolder& folder = Folder();
    std::string cli = clibench::CliPath();
    double cpu = 0;
    std::vector<double> bare, go, perl;
    for (auto _ : state) {
        folder.Reset();
        bool renamed = true;
        bare.push_back(
            Seconds(cpu, [&] { renamed = SFolder::RenameAll(folder.oldPaths, folder.newPaths); }));
        folder.Reset();
        int goStatus = -1;
        go.push_back(Seconds(cpu, [&] {
            goStatus = clibench::RunProgram({cli, "go", folder.list, "--yes"});
        }));
        folder.Reset();
        int perlStatus = -1;
        perl.push_back(Seconds(cpu, [&] {
            perlStatus =
                clibench::RunProgram({"rename", "s{/track_([^/]*)$}{/Song_$1}"}, folder.names);
        }));
        state.SetIterationTime(go.back());
        if (!renamed || goStatus != 0 || perlStatus != 0 ||
            access(folder.newPaths.back().c_str(), F_OK) != 0)
            state.SkipWithError("a rename failed");
    }
    folder.Reset();
    double goMedian = Median(go);
    state.counters["go_median_ms"] = goMedian * 1e3;
    state.counters["bare_median_ms"] = Median(bare) * 1e3;
    state.counters["rename_median_ms"] = Median(perl) * 1e3;
    state.counters["go_per_bare"] = goMedian / Median(bare);
    state.counters["go_per_rename"] = goMedian / Median(perl);
    state.counters["cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_TesselCliGoAgainstBareLoopAndRename)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(9);

BENCHMARK_MAIN();
