// SPDX-License-Identifier: GPL-3.0-or-later
// Planning a run: PlanRenames against the least any planner must do, listing each folder
// once and looking at each row's file once.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include "FilesBenchSupport.h"
#include "files/FileAdder.h"
#include "files/GoCommand.h"
#include "files/RenamePlanner.h"
#include "model/Profile.h"
#include "model/ResultsList.h"
#include "model/TesselSession.h"
#include "platform/FolderListing.h"

namespace {

constexpr int kRows = 100000;

const CBenchFiles& Files(int folders) {
    static CBenchFiles one(kRows, 1);
    static CBenchFiles many(kRows, 1000);
    return folders == 1 ? one : many;
}

std::vector<std::string> NewPaths(const std::vector<std::string>& oldPaths) {
    std::vector<std::string> newPaths;
    newPaths.reserve(oldPaths.size());
    for (const std::string& path : oldPaths)
        newPaths.push_back(path.substr(0, path.size() - 4) + " (new).mp3");
    return newPaths;
}

void BM_PlanRenames(benchmark::State& state) {
    const CBenchFiles& files = Files(static_cast<int>(state.range(0)));
    std::vector<std::string> newPathTexts = NewPaths(files.Paths());
    std::vector<std::string_view> newPaths(newPathTexts.begin(), newPathTexts.end());
    RowPathList oldPaths;
    for (const std::string& path : files.Paths())
        oldPaths.push_back(&path);
    for (auto _ : state) {
        CRenamePlanner planner;
        SRenamePlan plan = planner.PlanRenames(newPaths, oldPaths);
        benchmark::DoNotOptimize(plan);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_ListFoldersAndLstatRows(benchmark::State& state) {
    const CBenchFiles& files = Files(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        size_t entries = 0;
        std::vector<std::string> names;
        for (const std::string& folder : files.Folders()) {
            names.clear();
            VisitFolder(folder, [&](std::string_view name) { names.emplace_back(name); });
            entries += names.size();
        }
        struct stat st;
        for (const std::string& path : files.Paths())
            entries += lstat(path.c_str(), &st) == 0;
        benchmark::DoNotOptimize(entries);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// A hundred rows of a folder of 100,000 files, each to a name of its own: the planner asks
// about the hundred names rather than listing the folder.
void BM_PlanFewRowsOfALargeFolder(benchmark::State& state) {
    constexpr size_t kFewRows = 100;
    const CBenchFiles& files = Files(1);
    std::vector<std::string> oldPathTexts(files.Paths().begin(), files.Paths().begin() + kFewRows);
    std::vector<std::string> newPathTexts = NewPaths(oldPathTexts);
    std::vector<std::string_view> newPaths(newPathTexts.begin(), newPathTexts.end());
    RowPathList oldPaths;
    for (const std::string& path : oldPathTexts)
        oldPaths.push_back(&path);
    for (auto _ : state) {
        CRenamePlanner planner;
        SRenamePlan plan = planner.PlanRenames(newPaths, oldPaths);
        benchmark::DoNotOptimize(plan);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kFewRows));
}

// The whole preview: the plan plus each row's own probe and rename rights.
void BM_FillPreview(benchmark::State& state) {
    const CBenchFiles& files = Files(static_cast<int>(state.range(0)));
    SBenchSession bench;
    CTesselSession& session = bench.session;
    DropFiles(session, files.Paths());
    for (int row = 0; row < session.List().GetCount(); ++row)
        session.List().GetEntry(row).m_strNewName.Set("new " + std::to_string(row));
    for (auto _ : state) {
        CResultsList preview;
        FillPreview(session, preview);
        benchmark::DoNotOptimize(preview.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

}  // namespace

BENCHMARK(BM_PlanRenames)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanFewRowsOfALargeFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListFoldersAndLstatRows)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillPreview)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
