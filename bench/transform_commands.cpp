// The text tools over 100,000 rows, each run with its undo snapshot and commit. The names
// are put back and the undo history emptied (untimed) before every run, so each run
// changes every row it can.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <string>
#include <vector>

#include "model/Profile.h"
#include "model/Prompts.h"
#include "model/TesselSession.h"
#include "transform/FindReplace.h"
#include "transform/NameTools.h"
#include "transform/Numbering.h"

namespace {

constexpr int kRows = 100000;

// Says OK to everything, with the answers a user would give for these runs.
class CAgreeingPrompts : public IPrompts {
public:
    EAnswer Message(const std::string&, EIcon, EButtons) override { return EAnswer::Ok; }
    bool ChooseFilesToAdd(std::vector<std::string>&) override { return false; }
    bool ChooseExtension(SExtensionChoice&) override { return true; }
    bool ShowResults(const CResultsList&) override { return true; }
    bool AskSwapMiddle(std::string& middle) override { return !middle.empty(); }
    bool AskSeparator(SSeparatorChoice&) override { return true; }
    bool ShowOptions(EOptionsPage, SId3EditorOptions& options) override {
        options.format = {true, true, true, true};
        return true;
    }
    bool RunRenameWizard(const SWizardInput&, SNumberingSettings& settings) override {
        settings.bStandardName = false;
        settings.nDigits = 5;
        return true;
    }
    void BeginProgress(int) override {}
    void SetProgress(int) override {}
    void ShowProgress(bool) override {}
    void EndProgress() override {}
};

struct SBenchList {
    CAgreeingPrompts prompts;
    CMemoryProfile profile;
    CTesselSession session{prompts, profile};
    std::vector<std::string> names;

    explicit SBenchList(bool mp3) {
        for (int row = 0; row < kRows; ++row) {
            std::string number = std::to_string(row);
            std::string name = "The Artist " + number + " - someSongTitle Here";
            if (row % 10 == 0)
                name += " caf\xC3\xA9 \xC3\x89T\xC3\x89";
            CHitDoc entry;
            entry.m_strName.Set(name + ".mp3");
            entry.m_strNewName.Set(name);
            entry.m_strExt.Set(".mp3");
            entry.m_strPath.Set("/home/user/Music/Some Album/" + name + ".mp3");
            entry.m_strSize.Set("4404019");
            entry.m_strModified.Set("7/4/1999 9:5");
            entry.m_strTitle.Set("someSongTitle " + number);
            entry.m_strArtist.Set("The Artist " + number);
            entry.m_strAlbum.Set("Some Album");
            entry.m_strComment.Set("ripped " + number);
            session.AddEntry(entry);
            names.push_back(name);
        }
        if (mp3)
            session.SetMp3Columns();
    }

    void Reset() {
        for (int row = 0; row < kRows; ++row) {
            CHitDoc& entry = session.List().GetEntry(row);
            entry.m_strNewName.Set(names[static_cast<size_t>(row)]);
            entry.m_strTitle.Set("someSongTitle " + std::to_string(row));
        }
        session.UndoHistory().Clear();
        // Settle the heap, so that a run does not pay for the frees of this reset.
        malloc_trim(0);
    }
};

SBenchList& NormalList() {
    static SBenchList list(false);
    return list;
}

template <class FCommand>
void RunCommand(benchmark::State& state, SBenchList& list, FCommand command) {
    for (auto _ : state) {
        state.PauseTiming();
        list.Reset();
        state.ResumeTiming();
        benchmark::DoNotOptimize(command(list.session));
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// The floor under every command that changes all rows: a copy of each entry into the
// undo record.
void BM_SnapshotAndCommitEveryRow(benchmark::State& state) {
    RunCommand(state, NormalList(), [](CTesselSession& s) {
        s.TakeSnapshot();
        return s.CommitSnapshot(kUndoRenameRun);
    });
}
BENCHMARK(BM_SnapshotAndCommitEveryRow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TextOperation(benchmark::State& state) {
    auto operation = static_cast<ETextOperation>(state.range(0));
    NormalList().session.m_strMiddle = " - ";
    RunCommand(state, NormalList(),
               [operation](CTesselSession& s) { return TransformNames(s, operation); });
}
BENCHMARK(BM_TextOperation)
    ->ArgName("operation")
    ->DenseRange(0, 6)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_TitleCaseMp3FourFields(benchmark::State& state) {
    static SBenchList list(true);
    RunCommand(state, list,
               [](CTesselSession& s) { return TransformNames(s, ETextOperation::TitleCase); });
}
BENCHMARK(BM_TitleCaseMp3FourFields)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReplaceAll(benchmark::State& state) {
    bool matchCase = state.range(0) != 0;
    RunCommand(state, NormalList(), [matchCase](CTesselSession& s) {
        return ReplaceAll(s, "artist", "Performer", matchCase);
    });
}
BENCHMARK(BM_ReplaceAll)
    ->ArgName("matchCase")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ReplaceAllUnicode(benchmark::State& state) {
    RunCommand(state, NormalList(), [](CTesselSession& s) {
        return ReplaceAll(s, "\xC3\xA9t\xC3\xA9", "summer", false);
    });
}
BENCHMARK(BM_ReplaceAllUnicode)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FindNextThroughEveryRow(benchmark::State& state) {
    SBenchList& list = NormalList();
    for (auto _ : state) {
        list.session.List().DeselectAll();
        benchmark::DoNotOptimize(FindNext(list.session, "absent text", false));
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_FindNextThroughEveryRow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenameWizard(benchmark::State& state) {
    RunCommand(state, NormalList(), [](CTesselSession& s) { return RenameWizard(s); });
}
BENCHMARK(BM_RenameWizard)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
