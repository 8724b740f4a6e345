// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <ctime>

#include "cli/CliInput.h"
#include "cli/CliList.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/ProcessEnd.h"
#include "cli/RunHook.h"
#include "files/JournalFolder.h"
#include "files/JournaledRun.h"
#include "files/ListKey.h"
#include "files/RunHistory.h"
#include "files/TagWriteRun.h"
#include "model/Profile.h"
#include "platform/PathFacts.h"
#include "platform/StateFolder.h"

namespace {

void SetUpGo(const SCliInput& input, SGoSettings& settings, CCliPrompts& prompts) {
    if (input.extension) {
        settings.extension.bKeep = false;
        settings.extension.strExtension = *input.extension;
    }
    settings.onFailure = input.onFailure;
    SCliListing listing;
    listing.bDryRun = input.bDryRun;
    listing.bConfirmed = input.bYes;
    listing.bAskOnTerminal = true;
    if (input.bZero)
        listing.recordFormat = ERecordFormat::Nul;
    // The preview is the listing; afterwards only the rows that failed are told, on stderr.
    listing.bPrintResults = false;
    prompts.SetListing(listing);
}

// The list's runs, under the lock the list's load took.
SRunList RunListOf(CCliList& list) {
    SRunList where;
    where.strPath = list.Path();
    where.pHeld = &list.Guard();
    where.observe = HookRunObserver;
    return where;
}

// Why the preview blocked the run: how many rows, and the first of them with their verdicts.
void ReportBlocked(const std::string& list, const CCliPrompts& prompts) {
    ReportError(list, "nothing renamed: " + Counted(prompts.BlockerCount(), "row") +
                          (prompts.BlockerCount() == 1 ? " blocks" : " block") + " the run");
    for (const CCliPrompts::SBlocker& blocker : prompts.FirstBlockers())
        ReportError(blocker.strPath, blocker.strVerdict);
    size_t unnamed = prompts.BlockerCount() - prompts.FirstBlockers().size();
    if (unnamed > 0)
        ReportError(list, "and " + Counted(unnamed, "more row"));
}

// What an undo did: the files it could not put back on stderr, the count on stdout.
int ReportUndo(const SRunOutcome& outcome, const std::string& subject) {
    if (outcome.end == ERunEnd::NothingToUndo || outcome.end == ERunEnd::Refused)
        return ReportError(subject, outcome.strError);
    if (outcome.bInterrupted)
        ReportError(subject,
                    "the last run was interrupted before it ended; its files are put back");
    for (const SUndoProblem& problem : outcome.problems)
        ReportError(problem.strPath, problem.strText);
    if (!outcome.strError.empty())
        return ReportError(subject, outcome.strError);
    std::printf("%s put back\n", Counted(outcome.nDone, "file").c_str());
    return outcome.problems.empty() ? kExitOk : kExitError;
}

// Puts back the latest tag command's writes, made without a list.
int UndoLooseTags() {
    CCliPrompts prompts;
    CMemoryProfile profile;
    CTesselSession session(prompts, profile);
    SRunList tags;
    tags.strUntitledKey = kLooseTagsKey;
    tags.lockWait = std::chrono::milliseconds(2000);
    std::unique_ptr<CJournaledRun> run = CJournaledRun::Undo(session, tags, "");
    return ReportUndo(RunToOutcome(*run, prompts), "tags");
}

}  // namespace

int RunGo(const SCliInput& input) {
    CCliList list;
    if (!list.Load(input.strList, true, true))
        return 1;
    CCliPrompts& prompts = list.Prompts();
    SGoSettings settings;
    SetUpGo(input, settings, prompts);
    std::unique_ptr<CJournaledRun> run =
        CJournaledRun::Go(list.Session(), RunListOf(list), settings);
    SRunOutcome outcome = RunToOutcome(*run, prompts);
    switch (outcome.end) {
        case ERunEnd::Blocked:
            ReportBlocked(list.Path(), prompts);
            return kExitBlocked;
        case ERunEnd::Declined:
            // The list is left as it was: a dry run's extension is only shown.
            if (input.bDryRun)
                return kExitOk;
            ReportError(list.Path(), "nothing renamed: not confirmed (--yes confirms)");
            return kExitDeclined;
        case ERunEnd::Refused:
            return ReportError(list.Path(), outcome.strError);
        default:
            break;
    }
    bool saved = list.SaveIfChanged();
    if (!outcome.strError.empty())
        ReportError("", outcome.strError);
    list.Guard().Release();
    EndProcess(saved && outcome.strError.empty() && outcome.nFailed == 0 ? kExitOk : kExitError);
}

int RunUndo(const SCliInput& input) {
    if (input.bTags)
        return UndoLooseTags();
    if (input.strList.empty())
        return ReportError("", "undo needs a LIST, or --tags");
    CCliList list;
    if (!list.Load(input.strList, true, true))
        return 1;
    std::unique_ptr<CJournaledRun> run = CJournaledRun::Undo(
        list.Session(), RunListOf(list), "", [&list] { return list.SaveIfChanged(); });
    return ReportUndo(RunToOutcome(*run, list.Prompts()), list.Path());
}

int RunHistory(const SCliInput& input) {
    CJournalFolder folder;
    std::string error;
    if (!folder.Open(JournalFolderPath(), error))
        return ReportError("", error);
    SPathFacts facts;
    if (!QueryPath(input.strList, facts))
        return ReportError(input.strList, kNoSuchListMessage);
    std::string listPath = CanonicalListPath(input.strList);
    if (listPath.empty())
        return ReportError(input.strList, "no such folder");
    CRunHistory history(folder, ListKey(listPath), listPath);
    for (const SRunEntry& run : history.Runs()) {
        char when[32] = "";
        time_t started = static_cast<time_t>(run.contents.nStarted);
        struct tm local {};
        if (localtime_r(&started, &local) != nullptr)
            std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
        const char* state = run.contents.bUndone ? "undone"
                            : run.Interrupted()  ? "interrupted"
                                                 : "not undone";
        std::printf("%s\t%s\t%s\n", when, Counted(run.contents.Files(), "file").c_str(), state);
    }
    return 0;
}
