// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RunCommands.h"

#include "model/CountText.h"
#include "model/TesselSession.h"

namespace {

// Enough of the renames left behind for a message box; the journal keeps them all.
constexpr size_t kProblemsShown = 10;

SRunList UntitledList() {
    SRunList list;
    list.strUntitledKey = NewUntitledKey();
    return list;
}

}  // namespace

std::unique_ptr<CJournaledRun> StartUndo(CTesselSession& session, SRunList list) {
    session.EndEditing();
    if (!session.CanUndo())
        return nullptr;
    if (session.UndoHistory().TopKind() != kUndoRenameRun) {
        session.UndoEditRecord();
        return nullptr;
    }
    return CJournaledRun::Undo(session, std::move(list), session.UndoHistory().TopJournal());
}

std::string CannotUndoText(const SRunOutcome& outcome) {
    std::string text = kCannotUndoMessage;
    for (size_t i = 0; i < outcome.problems.size() && i < kProblemsShown; ++i)
        text += "\n" + outcome.problems[i].strPath + ": " + outcome.problems[i].strText;
    if (outcome.problems.size() > kProblemsShown)
        text += "\n(" + std::to_string(outcome.problems.size() - kProblemsShown) + " more)";
    if (!outcome.strError.empty())
        text += "\n" + outcome.strError;
    return text;
}

std::string UndoSummary(const SRunOutcome& outcome) {
    std::string text = "Undo: " + Counted(outcome.nDone, "file", "files") + " put back, " +
                       GroupedNumber(outcome.nFailed - outcome.nNotReached) + " failed";
    if (outcome.nNotReached > 0)
        text += ", " + GroupedNumber(outcome.nNotReached) + " not put back (cancelled)";
    return text;
}

SRunOutcome Go(CTesselSession& session, std::optional<SGoSettings> settings) {
    std::unique_ptr<CJournaledRun> run =
        CJournaledRun::Go(session, UntitledList(), std::move(settings));
    return RunToOutcome(*run, session.Prompts());
}

SRunOutcome Undo(CTesselSession& session) {
    std::unique_ptr<CJournaledRun> run = StartUndo(session, UntitledList());
    if (run)
        return RunToOutcome(*run, session.Prompts());
    SRunOutcome edit;
    edit.end = ERunEnd::Finished;
    return edit;
}
