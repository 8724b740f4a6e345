// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowRuns.h"

#include "files/JournalFolder.h"
#include "files/JournaledRun.h"
#include "files/ListKey.h"
#include "files/RunCommands.h"
#include "files/RunHistory.h"
#include "model/Prompts.h"
#include "model/StepJob.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "platform/StateFolder.h"
#include "view/CoreTexts.h"

CWindowRuns::CWindowRuns(CTesselSession& session, CTesselDoc& doc)
    : m_session(session), m_doc(doc), m_strUntitledKey(NewUntitledKey()) {
    // Without a journal folder there is no lock to hold, and no run either: Go says why.
    std::string error;
    m_untitledGuard.TakeKey(m_strUntitledKey, error, std::chrono::milliseconds(0));
}

SRunList CWindowRuns::ListNow() {
    SRunList list;
    list.strPath = m_doc.GetPath();
    list.strUntitledKey = m_strUntitledKey;
    if (list.strPath.empty() && m_untitledGuard.Folder().IsOpen())
        list.pHeld = &m_untitledGuard;
    return list;
}

void CWindowRuns::ShowRefusal(const SRunOutcome& outcome) {
    IPrompts& prompts = m_session.Prompts();
    if (outcome.end == ERunEnd::Refused)
        prompts.Message(EMessageId::ListInUse, outcome.strError, EIcon::Stop, EButtons::Ok);
    else if (!outcome.strError.empty())
        prompts.Message(EMessageId::JournalProblem, outcome.strError, EIcon::Warning, EButtons::Ok);
}

void CWindowRuns::ShowUndoOutcome(const SRunOutcome& outcome) {
    if (outcome.end == ERunEnd::Refused || outcome.end == ERunEnd::NothingToUndo) {
        ShowRefusal(outcome);
        return;
    }
    if (m_notice)
        m_notice(UndoSummaryText(outcome));
    if (!outcome.problems.empty() || !outcome.strError.empty())
        m_session.Prompts().Message(EMessageId::CannotUndo, CannotUndoText(outcome), EIcon::None,
                                    EButtons::Ok);
}

std::unique_ptr<IJob> CWindowRuns::Go(std::function<void()>& finished) {
    std::unique_ptr<CJournaledRun> run = CJournaledRun::Go(m_session, ListNow(), std::nullopt);
    finished = [this, pRun = run.get()] { ShowRefusal(pRun->Outcome()); };
    return run;
}

std::unique_ptr<IJob> CWindowRuns::Undo(std::function<void()>& finished) {
    std::unique_ptr<CJournaledRun> run = StartUndo(m_session, ListNow());
    if (run)
        finished = [this, pRun = run.get()] { ShowUndoOutcome(pRun->Outcome()); };
    return run;
}

std::unique_ptr<IJob> CWindowRuns::PutBackInterruptedRuns(bool untitledToo,
                                                          std::function<void()>& finished) {
    CJournalFolder folder;
    std::string error;
    if (!folder.Open(JournalFolderPath(), error))
        return nullptr;
    std::string listPath = m_doc.GetPath().empty() ? "" : ListIdentityPath(m_doc.GetPath());
    std::string key = listPath.empty() ? m_strUntitledKey : ListKey(listPath);
    CRunHistory history(folder, key, listPath);
    if (untitledToo)
        history.ForgetEndedRunsOfUntitledLists();
    std::vector<SRunEntry> runs = history.InterruptedRuns(untitledToo);
    if (runs.empty())
        return nullptr;
    size_t files = 0;
    for (const SRunEntry& run : runs)
        files += run.contents.Files();
    std::string question = "A run was interrupted before it ended: " + std::to_string(files) +
                           " files may still have their new names.\nPut them back now?";
    if (m_session.Prompts().MessageWithParts(EMessageId::InterruptedRun, question,
                                             {std::to_string(files)}, EIcon::Question,
                                             EButtons::YesNo) != EAnswer::Yes)
        return nullptr;
    // Each run is put back under its own list's lock: for a list that had no file, the key
    // its journal was written under. The latest run goes first.
    auto steps = std::make_unique<CStepJob>();
    auto outcome = std::make_shared<SRunOutcome>();
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
        SRunList list = ListNow();
        std::string journalKey = CRunHistory::KeyOfJournal(it->strName);
        if (journalKey != key) {
            list.strPath.clear();
            list.strUntitledKey = journalKey;
        }
        std::shared_ptr<CJournaledRun> run = CJournaledRun::Undo(m_session, list, it->strName);
        steps->Then([run]() -> std::unique_ptr<IJob> { return std::make_unique<CJobRef>(*run); });
        steps->Then([run, outcome]() -> std::unique_ptr<IJob> {
            const SRunOutcome& one = run->Outcome();
            outcome->nDone += one.nDone;
            outcome->nFailed += one.nFailed;
            outcome->nNotReached += one.nNotReached;
            outcome->problems.insert(outcome->problems.end(), one.problems.begin(),
                                     one.problems.end());
            if (!one.strError.empty())
                outcome->strError = one.strError;
            return nullptr;
        });
    }
    finished = [this, outcome] { ShowUndoOutcome(*outcome); };
    return steps;
}
