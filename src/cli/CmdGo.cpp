#include "cli/CliArgs.h"
#include "cli/CliList.h"
#include "cli/CommandTable.h"
#include "cli/Commands.h"
#include "cli/RunHook.h"
#include "files/GoCommand.h"
#include "files/JournalUndo.h"
#include "files/RunJournal.h"

namespace {

bool SetUpGo(const CCliArgs& args, SGoSettings& settings, CCliPrompts& prompts) {
    if (args.Has("ext")) {
        std::string extension = args.Value("ext");
        if (!IsValidExtension(extension))
            return ReportError("--ext " + extension, kInvalidExtensionMessage) == 0;
        settings.extension.bKeep = false;
        settings.extension.strExtension = extension;
    }
    std::string onError = args.Value("on-error", "stop");
    if (onError != "stop" && onError != "continue")
        return ReportError("--on-error", "must be stop or continue, not '" + onError + "'") == 0;
    settings.onFailure = onError == "continue" ? EOnFailure::Continue : EOnFailure::Stop;
    SCliListing listing;
    listing.bDryRun = args.Has("dry-run");
    listing.bConfirmed = args.Has("yes");
    listing.bAskOnTerminal = true;
    if (args.Has("zero"))
        listing.recordFormat = ERecordFormat::Nul;
    // The preview is the listing; afterwards only the rows that failed are told, on stderr.
    listing.bPrintResults = false;
    prompts.SetListing(listing);
    return true;
}

}  // namespace

int RunGo(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0)))
        return 1;
    CCliPrompts& prompts = list.Prompts();
    SGoSettings settings;
    if (!SetUpGo(args, settings, prompts))
        return 1;
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
    ExitNow(saved && journalKept && prompts.FailedResults() == 0 ? 0 : 1);
}

int RunUndo(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0)))
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
