// SPDX-License-Identifier: GPL-3.0-or-later
// TakeSnapshot plus CommitSnapshot over 100,000 rows, and sorting them by a column.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "model/Profile.h"
#include "model/SortRows.h"

namespace {

constexpr int kRows = 100000;

// A command that changed nothing: every row is compared, nothing is recorded.
void BM_SnapshotUnchanged(benchmark::State& state) {
    SBenchSession bench;
    CTesselSession& session = bench.session;
    FillBenchSession(session, kRows);
    for (auto _ : state) {
        session.TakeSnapshot();
        if (session.CommitSnapshot(kUndoEdit))
            state.SkipWithError("recorded a step for no change");
    }
}

// A command that changed one row in a hundred.
void BM_SnapshotSomeChanged(benchmark::State& state) {
    SBenchSession bench;
    CTesselSession& session = bench.session;
    FillBenchSession(session, kRows);
    int round = 0;
    for (auto _ : state) {
        session.TakeSnapshot();
        state.PauseTiming();
        ++round;
        for (int row = 0; row < kRows; row += 100)
            session.List().GetEntry(row).m_strNewName.Set("renamed " + std::to_string(round));
        state.ResumeTiming();
        session.CommitSnapshot(kUndoEdit);
        state.PauseTiming();
        session.UndoHistory().Clear();
        state.ResumeTiming();
    }
}

// The sort a column click makes, snapshot and undo step included.
void BM_SortByColumn(benchmark::State& state) {
    SBenchSession bench;
    CTesselSession& session = bench.session;
    FillBenchSession(session, kRows);
    int column = static_cast<int>(state.range(0));
    for (auto _ : state) {
        SortByColumn(session, column);
        state.PauseTiming();
        session.UndoHistory().Clear();
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_SnapshotUnchanged)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SnapshotSomeChanged)->Unit(benchmark::kMillisecond)->MinTime(2.0);
// 0 new name (text), 3 size, 5 folder (long texts).
BENCHMARK(BM_SortByColumn)->Arg(0)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
