// SPDX-License-Identifier: GPL-3.0-or-later
// The text tools over 100,000 rows, each command with its undo snapshot and commit. Every
// repetition builds a fresh list (untimed), as a list is after loading, and times one
// command on it: repeated runs on one list would time the allocator's clean-up of the
// previous run instead. The operations of BM_TextOperation are numbered as in
// ETextOperation: 0 Sentence case, 1 lowercase, 2 UPPERCASE, 3 Title Case, 4 tOGGLE CASE,
// 5 Swap, 6 Insert Spaces.
#include <benchmark/benchmark.h>

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
    EAnswer Message(EMessageId, const std::string&, EIcon, EButtons) override {
        return EAnswer::Ok;
    }
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
            entry.EditTitle().Set("someSongTitle " + number);
            entry.EditArtist().Set("The Artist " + number);
            entry.EditAlbum().Set("Some Album");
            entry.EditComment().Set("ripped " + number);
            session.AddEntry(entry);
        }
        if (mp3)
            session.SetMp3Columns();
    }
};

// One timed command per repetition; the median of five is the figure to read.
void OneRunPerFreshList(benchmark::internal::Benchmark* benchmark) {
    benchmark->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true)
        ->UseRealTime();
}

template <class FCommand>
void RunCommand(benchmark::State& state, FCommand command, bool mp3 = false) {
    SBenchList list(mp3);
    for (auto _ : state)
        benchmark::DoNotOptimize(command(list.session));
    state.SetItemsProcessed(state.iterations() * kRows);
}

// The floor under every command that changes all rows: a copy of each entry into the
// undo record.
void BM_SnapshotAndCommitEveryRow(benchmark::State& state) {
    RunCommand(state, [](CTesselSession& s) {
        s.TakeSnapshot();
        return s.CommitSnapshot(kUndoRenameRun);
    });
}
BENCHMARK(BM_SnapshotAndCommitEveryRow)->Apply(OneRunPerFreshList);

void BM_TextOperation(benchmark::State& state) {
    auto operation = static_cast<ETextOperation>(state.range(0));
    RunCommand(state, [operation](CTesselSession& s) {
        s.m_strMiddle = " - ";
        return TransformNames(s, operation);
    });
}
BENCHMARK(BM_TextOperation)->ArgName("operation")->DenseRange(0, 6)->Apply(OneRunPerFreshList);

void BM_TitleCaseMp3FourFields(benchmark::State& state) {
    RunCommand(
        state, [](CTesselSession& s) { return TransformNames(s, ETextOperation::TitleCase); },
        true);
}
BENCHMARK(BM_TitleCaseMp3FourFields)->Apply(OneRunPerFreshList);

void BM_ReplaceAll(benchmark::State& state) {
    bool matchCase = state.range(0) != 0;
    RunCommand(state, [matchCase](CTesselSession& s) {
        return ReplaceAll(s, "artist", "Performer", matchCase);
    });
}
BENCHMARK(BM_ReplaceAll)->ArgName("matchCase")->Arg(0)->Arg(1)->Apply(OneRunPerFreshList);

void BM_ReplaceAllUnicode(benchmark::State& state) {
    RunCommand(state, [](CTesselSession& s) {
        return ReplaceAll(s, "\xC3\xA9t\xC3\xA9", "summer", false);
    });
}
BENCHMARK(BM_ReplaceAllUnicode)->Apply(OneRunPerFreshList);

void BM_FindNextThroughEveryRow(benchmark::State& state) {
    SBenchList list(false);
    for (auto _ : state) {
        list.session.List().DeselectAll();
        benchmark::DoNotOptimize(FindNext(list.session, "absent text", false));
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_FindNextThroughEveryRow)->Apply(OneRunPerFreshList);

void BM_RenameWizard(benchmark::State& state) {
    RunCommand(state, [](CTesselSession& s) { return RenameWizard(s); });
}
BENCHMARK(BM_RenameWizard)->Apply(OneRunPerFreshList);

}  // namespace

BENCHMARK_MAIN();
