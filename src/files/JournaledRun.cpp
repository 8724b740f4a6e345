// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/JournaledRun.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include <atomic>
#include <chrono>

#include "files/GoRun.h"
#include "files/ListKey.h"
#include "files/RunHistory.h"
#include "files/RunJournal.h"
#include "model/Prompts.h"
#include "model/ResultsList.h"
#include "model/TesselSession.h"

namespace {

size_t CountCodes(const CResultsList& results, int code) {
    size_t count = 0;
    for (size_t i = 0; i < results.GetCount(); ++i)
        count += results.Code(i) == code ? 1 : 0;
    return count;
}

// Whether some row's file is to get another name: a run of unchanged rows keeps no journal.
bool RenamesAnything(const SRunPaths& paths) {
    for (size_t row = 0; row < paths.newPaths.size(); ++row)
        if (*paths.oldPaths[row] != paths.newPaths[row])
            return true;
    return false;
}

}  // namespace

std::string NewUntitledKey() {
    static std::atomic<unsigned> counter = 0;
    auto now = std::chrono::system_clock::now().time_since_epoch();
    return kUntitledKeyPrefix + std::to_string(getpid()) + "-" +
           std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(now).count()) +
           "-" + std::to_string(counter++);
}

CJournaledRun::CJournaledRun(CTesselSession& session, SRunList list)
    : m_session(session), m_list(std::move(list)) {
    if (!m_list.strPath.empty())
        m_strListPath = ListIdentityPath(m_list.strPath);
    m_strKey = m_list.strPath.empty() ? m_list.strUntitledKey : ListKey(m_strListPath);
}

CJournaledRun::~CJournaledRun() = default;

void CJournaledRun::End(ERunEnd end, std::string error) {
    m_outcome.end = end;
    if (!error.empty())
        m_outcome.strError = std::move(error);
    m_steps.Stop();
}

bool CJournaledRun::TakeLock() {
    if (m_list.pHeld != nullptr) {
        m_pGuard = m_list.pHeld;
        return true;
    }
    m_pOwnGuard = std::make_unique<CListGuard>();
    std::string error;
    bool taken = m_list.strPath.empty() ? m_pOwnGuard->TakeKey(m_strKey, error, m_list.lockWait)
                                        : m_pOwnGuard->Take(m_list.strPath, error, m_list.lockWait);
    if (!taken) {
        m_pOwnGuard.reset();
        End(ERunEnd::Refused, error);
        return false;
    }
    m_pGuard = m_pOwnGuard.get();
    return true;
}

// Go

std::unique_ptr<CJournaledRun> CJournaledRun::Go(CTesselSession& session, SRunList list,
                                                 std::optional<SGoSettings> settings) {
    std::unique_ptr<CJournaledRun> run(new CJournaledRun(session, std::move(list)));
    run->AddGoSteps(std::move(settings));
    return run;
}

void CJournaledRun::AddGoSteps(std::optional<SGoSettings> settings) {
    m_steps.Then([this, settings]() -> std::unique_ptr<IJob> {
        IPrompts& prompts = m_session.Prompts();
        if (settings)
            m_settings = *settings;
        else if (!prompts.ChooseExtension(m_settings.extension))
            return End(ERunEnd::Declined), nullptr;
        if (!CheckExtensionChoice(prompts, m_settings.extension))
            return End(ERunEnd::Declined), nullptr;
        // The extension stays even when the run goes no further.
        ApplyExtensionChoice(m_session.List(), m_settings.extension);
        if (!TakeLock())
            return nullptr;
        m_preview.m_strTitle = "Preview";
        return PreviewJob(m_session, m_preview, &m_paths);
    });
    m_steps.Then([this]() -> std::unique_ptr<IJob> {
        bool confirmed = m_session.Prompts().ShowResults(m_preview);
        if (m_preview.IsBlocked())
            return End(ERunEnd::Blocked), nullptr;
        if (!m_preview.HasWork())
            return End(ERunEnd::NothingToRename), nullptr;
        if (!confirmed)
            return End(ERunEnd::Declined), nullptr;
        if (RenamesAnything(m_paths) && !StartJournal())
            return nullptr;
        m_results.m_strTitle = "Results";
        m_results.m_bResultsMode = true;
        // Kept here, as what it found is read once it ended.
        m_pRun = std::make_unique<CGoRun>(m_session, m_results, m_paths, m_settings.onFailure);
        return std::make_unique<CJobRef>(*m_pRun);
    });
    m_steps.Then([this]() -> std::unique_ptr<IJob> {
        FinishGo();
        return nullptr;
    });
}

bool CJournaledRun::StartJournal() {
    CRunHistory history(m_pGuard->Folder(), m_strKey, m_strListPath);
    m_pJournal =
        std::make_unique<CRunJournal>(m_pGuard->Folder(), history.NextName(), m_strListPath);
    m_pObserver = m_list.observe ? m_list.observe(m_pJournal.get()) : m_pJournal.get();
    if (!m_pObserver->RunStarting(m_session.List().GetCount())) {
        // Without its journal a run could not be undone: it does not start.
        End(ERunEnd::Refused, m_pJournal->Error());
        m_pJournal.reset();
        return false;
    }
    m_session.SetRunObserver(m_pObserver);
    return true;
}

void CJournaledRun::FinishGo() {
    if (m_pObserver != nullptr) {
        m_pObserver->RunFinished();
        m_session.SetRunObserver(nullptr);
    }
    m_outcome.nDone = CountCodes(m_results, kResultOk);
    m_outcome.nFailed = CountCodes(m_results, kResultUnexpected);
    m_outcome.end = m_pRun->WasCancelled() ? ERunEnd::Cancelled
                    : m_pRun->WasStopped() ? ERunEnd::Stopped
                                           : ERunEnd::Finished;
    if (m_pJournal) {
        m_outcome.strError = m_pJournal->Error();
        if (m_outcome.nDone > 0) {
            m_outcome.strJournal = m_pJournal->Name();
            m_session.CommitRun(m_pJournal->Name());
        }
    }
    m_session.Prompts().ShowResults(m_results);
    m_session.RecomputeAllMp3();
    m_pOwnGuard.reset();
}

// Undo

std::unique_ptr<CJournaledRun> CJournaledRun::Undo(CTesselSession& session, SRunList list,
                                                   std::string journal,
                                                   std::function<bool()> afterFilesBack) {
    std::unique_ptr<CJournaledRun> run(new CJournaledRun(session, std::move(list)));
    run->AddUndoSteps(std::move(journal), std::move(afterFilesBack));
    return run;
}

bool CJournaledRun::FindJournal(const std::string& journal) {
    const CJournalFolder& folder = m_pGuard->Folder();
    SRunEntry run;
    if (journal.empty()) {
        if (!CRunHistory(folder, m_strKey, m_strListPath).LatestNotUndone(run)) {
            End(ERunEnd::NothingToUndo, "no run to undo");
            return false;
        }
    } else {
        run.strName = journal;
        std::string error;
        if (faccessat(folder.Fd(), journal.c_str(), F_OK, AT_SYMLINK_NOFOLLOW) != 0 &&
            errno == ENOENT) {
            // Removed since (the list's history keeps only its latest runs): the step can
            // never be taken back, and must not stand before the steps under it.
            ForgetStep(journal);
            End(ERunEnd::NothingToUndo,
                "the journal of this run is gone; it can no longer be undone");
            return false;
        }
        if (!CRunJournal(folder, journal, "").Read(run.contents, error)) {
            End(ERunEnd::Refused, error);
            return false;
        }
    }
    std::string problem = CheckJournalRenames(run.contents);
    if (!problem.empty()) {
        End(ERunEnd::Refused, folder.Path() + "/" + run.strName + ": " + problem);
        return false;
    }
    m_outcome.strJournal = run.strName;
    m_outcome.bInterrupted = run.Interrupted();
    m_undone = std::move(run.contents);
    return true;
}

void CJournaledRun::AddUndoSteps(std::string journal, std::function<bool()> afterFilesBack) {
    m_steps.Then([this, journal]() -> std::unique_ptr<IJob> {
        if (!TakeLock() || !FindJournal(journal))
            return nullptr;
        // A run undone already (by another process, say) has nothing left to put back.
        if (m_undone.bUndone) {
            m_undone.renames.clear();
            m_undone.tags.clear();
        }
        m_pPutBack = std::make_unique<CPutBackJob>(
            m_session, m_undone, m_list.observe ? m_list.observe(nullptr) : nullptr);
        return std::make_unique<CJobRef>(*m_pPutBack);
    });
    m_steps.Then([this, afterFilesBack]() -> std::unique_ptr<IJob> {
        FinishUndo(afterFilesBack);
        return nullptr;
    });
}

void CJournaledRun::ForgetStep(const std::string& journal) {
    CUndoStack& history = m_session.UndoHistory();
    if (history.TopKind() == kUndoRenameRun && history.TopJournal() == journal)
        history.Pop();
}

void CJournaledRun::FinishUndo(const std::function<bool()>& afterFilesBack) {
    m_outcome.problems = m_pPutBack->Problems();
    SJournalContents left = m_pPutBack->Left();
    m_outcome.nFailed = left.Files();
    m_outcome.nDone = m_pPutBack->Files() - m_outcome.nFailed;
    m_outcome.nNotReached = m_outcome.nFailed - m_pPutBack->FilesFailed();
    m_outcome.end = m_pPutBack->Cancelled() ? ERunEnd::Cancelled : ERunEnd::Finished;
    bool wholeRun = left.Records() == 0;
    if (wholeRun)
        ForgetStep(m_outcome.strJournal);
    if (afterFilesBack && !afterFilesBack()) {
        m_outcome.strError =
            "the list could not be saved; its journal is kept, and undo brings it up to date";
        m_pOwnGuard.reset();
        return;
    }
    if (wholeRun) {
        left = m_undone;
        left.bUndone = true;
    }
    std::string error;
    CRunJournal journal(m_pGuard->Folder(), m_outcome.strJournal, m_undone.strListPath);
    if (m_undone.Records() > 0 && !journal.Replace(left, error))
        m_outcome.strError = error;
    m_pOwnGuard.reset();
}

SRunOutcome RunToOutcome(CJournaledRun& run, IPrompts& prompts) {
    RunToEnd(run, prompts);
    return run.Outcome();
}
