// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/GoCommand.h"
#include "files/GoRun.h"
#include "files/JournalUndo.h"
#include "files/ListGuard.h"
#include "model/ResultsList.h"
#include "model/StepJob.h"

class CRunJournal;
class CTesselSession;
class IRunObserver;

// The list a run works on, and how its lock is had.
struct SRunList {
    std::string strPath;         // the list's file, in any spelling; empty when it has none
    std::string strUntitledKey;  // the key of a list that has no file (see NewUntitledKey)
    // How long to wait for another process to let the list go: a window never waits.
    std::chrono::milliseconds lockWait{0};
    // The list's lock when the caller holds it already (tessel-cli, from the list's load).
    CListGuard* pHeld = nullptr;
    // Wraps the observer of the renames (a test build stops the process there).
    std::function<IRunObserver*(IRunObserver*)> observe;
};

// A key of its own for a list that has no file, unique to this process and moment.
std::string NewUntitledKey();

// How a run ended.
enum class ERunEnd {
    Finished,         // every rename was tried; nFailed of them failed
    Cancelled,        // the user stopped it: nDone were made, the rest not tried
    Stopped,          // after a failure the answer was not to go on
    Blocked,          // the preview found a problem: nothing renamed
    NothingToRename,  // every row's name was unchanged: the preview was all there was
    Declined,         // the extension choice or the preview was cancelled: nothing renamed
    Refused,          // the lock or a journal could not be had (strError): nothing renamed
    NothingToUndo,    // no run of the list is left to undo
};

struct SRunOutcome {
    ERunEnd end = ERunEnd::Declined;
    size_t nDone = 0;        // files renamed (Go) or put back (Undo)
    size_t nFailed = 0;      // files whose rename failed, or left for a later undo
    size_t nNotReached = 0;  // undo: of those left, the files a cancel came before
    // Why the run was refused, or what went wrong with its journal or list afterwards.
    std::string strError;
    std::vector<SUndoProblem> problems;  // undo: the renames left for a later undo
    std::string strJournal;              // the journal of the run or of the run undone
    bool bInterrupted = false;           // undo: the run undone had been interrupted
};

// Go or Undo of a run as one job for every front end: it takes the list's lock (unless the
// caller holds it), keeps the journal of the run, runs, and tells how it ended. The lock is
// let go when the job ends. Nothing is shown of the outcome: the front end shows it.
class CJournaledRun : public IJob {
public:
    ~CJournaledRun() override;

    // The Go command. Without settings the extension choice is asked first. A run that
    // renames files first writes a journal, a new one in the list's history, with a record
    // before each rename, and becomes an undo step of the session; a run that renames
    // nothing leaves no journal and no step. Without a journal to write, nothing is renamed.
    static std::unique_ptr<CJournaledRun> Go(CTesselSession& session, SRunList list,
                                             std::optional<SGoSettings> settings);
    // Puts back the run of the journal named, or the list's latest run not undone when
    // journal is empty. Renames that cannot go back stay in the journal for a later undo,
    // and the session's undo step of the run, when it is on top, stays too; a run put back
    // whole is marked undone and its step leaves the history. afterFilesBack, when given,
    // runs before the journal is brought up to date (tessel-cli saves the list there):
    // false leaves the journal as it was, so that a later undo brings the list up to date.
    static std::unique_ptr<CJournaledRun> Undo(CTesselSession& session, SRunList list,
                                               std::string journal,
                                               std::function<bool()> afterFilesBack = {});

    bool Poll(std::chrono::milliseconds wait) override { return m_steps.Poll(wait); }
    void Cancel() override { m_steps.Cancel(); }
    const SRunOutcome& Outcome() const { return m_outcome; }

private:
    CJournaledRun(CTesselSession& session, SRunList list);
    // Opens the journal folder and takes the lock; false (refused) when either fails.
    bool TakeLock();
    void End(ERunEnd end, std::string error = {});
    void AddGoSteps(std::optional<SGoSettings> settings);
    void AddUndoSteps(std::string journal, std::function<bool()> afterFilesBack);
    bool StartJournal();
    void FinishGo();
    bool FindJournal(const std::string& journal);
    void FinishUndo(const std::function<bool()>& afterFilesBack);
    // Takes the session's undo step of the run off its history, when it is on top.
    void ForgetStep(const std::string& journal);

    CTesselSession& m_session;
    SRunList m_list;
    std::string m_strKey;
    std::string m_strListPath;  // the canonical path, empty for a list without a file
    std::unique_ptr<CListGuard> m_pOwnGuard;
    CListGuard* m_pGuard = nullptr;
    CStepJob m_steps;
    SRunOutcome m_outcome;
    // Go
    SGoSettings m_settings;
    CResultsList m_preview;
    CResultsList m_results;
    SRunPaths m_paths;
    std::unique_ptr<CRunJournal> m_pJournal;
    IRunObserver* m_pObserver = nullptr;
    std::unique_ptr<CGoRun> m_pRun;
    // Undo
    SJournalContents m_undone;
    std::unique_ptr<CPutBackJob> m_pPutBack;
};

// Runs a journaled run to its end, as a script may wait for it.
SRunOutcome RunToOutcome(CJournaledRun& run, IPrompts& prompts);
