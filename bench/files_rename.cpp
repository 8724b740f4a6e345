// SPDX-License-Identifier: GPL-3.0-or-later
// A whole Go run over 10,000 files of one folder against a bare renameat2 loop over the
// same names. Each iteration renames every file and the next one renames it back.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdio.h>

#include "FilesBenchSupport.h"
#include "files/FileAdder.h"
#include "files/GoCommand.h"
#include "files/RunCommands.h"
#include "model/Profile.h"
#include "model/ResultsList.h"
#include "model/TesselSession.h"

namespace {

constexpr int kFiles = 10000;

void BM_GoRun(benchmark::State& state) {
    CBenchFiles files(kFiles, 1);
    SBenchSession bench;
    CTesselSession& session = bench.session;
    DropFiles(session, files.Paths());
    bool back = false;
    for (auto _ : state) {
        for (int row = 0; row < kFiles; ++row) {
            CHitDoc& entry = session.List().GetEntry(row);
            entry.m_strNewName.Set(back ? "track number " + std::to_string(row)
                                        : "renamed " + std::to_string(row));
        }
        if (Go(session).nDone != static_cast<size_t>(kFiles))
            state.SkipWithError("the run did not go ahead");
        session.UndoHistory().Clear();
        back = !back;
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
    state.counters["longest_wait_ms"] =
        std::chrono::duration<double, std::milli>(bench.prompts.m_longestWait).count();
}

// The renaming phase alone: what Go does after the preview.
void BM_RenameRows(benchmark::State& state) {
    CBenchFiles files(kFiles, 1);
    SBenchSession bench;
    CTesselSession& session = bench.session;
    DropFiles(session, files.Paths());
    bool back = false;
    for (auto _ : state) {
        state.PauseTiming();
        for (int row = 0; row < kFiles; ++row) {
            CHitDoc& entry = session.List().GetEntry(row);
            entry.m_strNewName.Set(back ? "track number " + std::to_string(row)
                                        : "renamed " + std::to_string(row));
        }
        state.ResumeTiming();
        CResultsList results;
        RenameRows(session, results);
        if (results.HasProblem())
            state.SkipWithError("a rename failed");
        back = !back;
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_BareRenameat2(benchmark::State& state) {
    CBenchFiles files(kFiles, 1);
    const std::string folder = files.Folders().front();
    std::vector<std::string> names[2];
    for (int i = 0; i < kFiles; ++i) {
        names[0].push_back(folder + "track number " + std::to_string(i) + ".mp3");
        names[1].push_back(folder + "renamed " + std::to_string(i) + ".mp3");
    }
    int from = 0;
    for (auto _ : state) {
        for (int i = 0; i < kFiles; ++i)
            if (renameat2(AT_FDCWD, names[from][i].c_str(), AT_FDCWD, names[1 - from][i].c_str(),
                          RENAME_NOREPLACE) != 0)
                state.SkipWithError("rename failed");
        from = 1 - from;
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

}  // namespace

BENCHMARK(BM_GoRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenameRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareRenameat2)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
