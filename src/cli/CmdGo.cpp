#include "cli/CliInput.h"
#include "cli/CliList.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/RunHook.h"
#include "files/GoCommand.h"
#include "files/JournalUndo.h"
#include "files/RunJournal.h"

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

}  // namespace

int RunGo(const SCliInput& input) {
    CCliList list;
    if (!list.Load(input.strList))
        return 1;
    CCliPrompts& prompts = list.Prompts();
    SGoSettings settings;
    SetUpGo(input, settings, prompts);
    CTesselSession& session = list.Session();
    CRunJournal journal(list.JournalFolder(), list.AbsolutePath());
    session.SetRunObserver(HookRunObserver(&journal));
    EGoOutcome outcome = Go(session, settings);
    session.SetRunObserver(nullptr);
    bool saved = outcome != EGoOutcome::Ran || list.SaveIfChanged();
    bool journalKept = journal.Error().empty();
    if (!journalKept)
        ReportError("", journal.Error());
    if (outcome != EGoOutcome::Ran) {
        if (prompts.Blocked())
            return 2;
        if (prompts.Refused())
            return ReportError(list.Path(), "nothing renamed: not confirmed (--yes confirms)");
        return journalKept ? 0 : 1;
    }
    return saved && journalKept && prompts.FailedResults() == 0 ? 0 : 1;
}

int RunUndo(const SCliInput& input) {
    CCliList list;
    if (!list.Load(input.strList))
        return 1;
    CRunJournal journal(list.JournalFolder(), list.AbsolutePath());
    SJournalUndoOutcome outcome =
        UndoRecordedRun(list.Session(), journal, HookRunObserver(nullptr));
    if (!outcome.strRefusal.empty())
        return ReportError(list.Path(), outcome.strRefusal);
    for (const SUndoProblem& problem : outcome.problems)
        ReportError(problem.strPath, problem.strText);
    int status = outcome.problems.empty() ? 0 : 1;
    if (!outcome.strJournalError.empty())
        status = ReportError("", outcome.strJournalError);
    return list.SaveIfChanged() ? status : 1;
}
