// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "files/ListGuard.h"

class CTesselDoc;
class CTesselSession;
class IJob;
struct SRunList;
struct SRunOutcome;

// Go and Undo of runs from the window, through the core's journaled run, which the window
// polls while its thread stays free: the list's lock is never waited for (another process
// holding it is told at once), and every run keeps its journal, saved list or not. Also
// puts back the files of runs whose process died before they ended.
class CWindowRuns {
public:
    CWindowRuns(CTesselSession& session, CTesselDoc& doc);

    // Each gives the job for the window to poll, and in finished what shows its outcome
    // once it ended (the job still there).
    std::unique_ptr<IJob> Go(std::function<void()>& finished);
    // An edit step is taken back at once, and null returned; a run's files go back through
    // its journal.
    std::unique_ptr<IJob> Undo(std::function<void()>& finished);
    // Looks for interrupted runs of the list open now (and, with untitledToo, of lists that
    // had no file) and offers to put their files back: null when there are none or the
    // user says no.
    std::unique_ptr<IJob> PutBackInterruptedRuns(bool untitledToo, std::function<void()>& finished);
    // Where the counts of an undo that ran go (the window's status bar).
    void SetNotice(std::function<void(const QString&)> notice) { m_notice = std::move(notice); }

private:
    SRunList ListNow();
    void ShowRefusal(const SRunOutcome& outcome);
    void ShowUndoOutcome(const SRunOutcome& outcome);

    CTesselSession& m_session;
    CTesselDoc& m_doc;
    // The key of the window's list while it has no file, and its lock, held as long as the
    // window lives: its runs are never taken for those of a window that is gone.
    std::string m_strUntitledKey;
    CListGuard m_untitledGuard;
    std::function<void(const QString&)> m_notice;
};
