// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and opening a 100,000-row list through CTesselDoc, file system included.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "model/Profile.h"
#include "model/TesselDoc.h"

namespace {

constexpr int kRows = 100000;

void BM_SaveList(benchmark::State& state) {
    SBenchSession bench;
    CTesselSession& session = bench.session;
    FillBenchSession(session, kRows);
    CTesselDoc doc(session);
    CBenchDir dir;
    std::string path = dir.Path() + "/list.tsl";
    for (auto _ : state)
        if (!doc.OnSaveDocument(path))
            state.SkipWithError("save failed");
    state.counters["rows"] = kRows;
}

void BM_OpenList(benchmark::State& state) {
    SBenchSession bench;
    CTesselSession& session = bench.session;
    FillBenchSession(session, kRows);
    CTesselDoc doc(session);
    CBenchDir dir;
    std::string path = dir.Path() + "/list.tsl";
    if (!doc.OnSaveDocument(path))
        state.SkipWithError("save failed");
    for (auto _ : state)
        if (!doc.OnOpenDocument(path) || session.List().GetCount() != kRows)
            state.SkipWithError("open failed");
    state.counters["rows"] = kRows;
}

}  // namespace

BENCHMARK(BM_SaveList)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenList)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
