#include "cli/CliArgs.h"
#include "cli/CliList.h"
#include "cli/CommandTable.h"
#include "cli/Commands.h"
#include "cli/RunHook.h"
#include "files/GoCommand.h"
#include "files/JournalUndo.h"
#include "files/RunJournal.h"

namespace {

bool SetUpGo(const CCliArgs& args, CCliPrompts& prompts) {
    if (args.Has("ext")) {
        std::string extension = args.Value("ext");
        if (!extension.empty() && extension.find('.') == std::string::npos)
            return ReportError("--ext " + extension, "Cannot rename to this invalid extension") ==
                   0;
        prompts.m_extension = extension;
    }
    std::string onError = args.Value("on-error", "stop");
    if (onError != "stop" && onError != "continue")
        return ReportError("--on-error", "must be stop or continue, not '" + onError + "'") == 0;
    prompts.m_questionAnswers[kContinueQuestion] =
        onError == "continue" ? EAnswer::Yes : EAnswer::No;
    prompts.m_bDryRun = args.Has("dry-run");
    prompts.m_bConfirmed = args.Has("yes");
    prompts.m_bAskOnTerminal = true;
    // The preview is the listing; afterwards only the rows that failed are told, on stderr.
    prompts.m_bPrintResults = false;
    return true;
}

}  // namespace

int RunGo(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0)))
        return 1;
    CCliPrompts& prompts = list.Prompts();
    if (!SetUpGo(args, prompts))
        return 1;
    CTesselSession& session = list.Session();
    CRunJournal journal(list.JournalFolder(), list.AbsolutePath());
    session.SetRunObserver(HookRunObserver(&journal));
    EGoOutcome outcome = Go(session);
    session.SetRunObserver(nullptr);
    bool saved = outcome != EGoOutcome::Ran || list.SaveIfChanged();
    bool journalKept = journal.Error().empty();
    if (!journalKept)
        ReportError("", journal.Error());
    if (outcome != EGoOutcome::Ran) {
        if (prompts.m_bBlocked)
            return 2;
        if (prompts.m_bRefused)
            return ReportError(list.Path(), "nothing renamed: not confirmed (--yes confirms)");
        return journalKept ? 0 : 1;
    }
    ExitNow(saved && journalKept && prompts.m_nFailedResults == 0 ? 0 : 1);
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
