// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "files/LocateRows.h"
#include "files/RenameStep.h"
#include "model/RunObserver.h"

class CFolderCache;

// Makes the renames of a run's rows on a thread of its own, step by step in the order
// planned, so that the thread that started it can bring the entries up to date behind it:
// the renames never wait for that bookkeeping. A stretch of steps ends at the first one
// that fails, or at the last. The observer hears each rename on the renaming thread, one
// at a time, and before them the renames coming next, a few hundred at a time, so that a
// journal writes their records in one go.
//
// While a stretch runs, the renaming thread reads each row's paths from oldPaths (the
// entries' own) and newPaths; the caller may change a row's entry or paths only once Wait
// reported its last step settled (a row that waits under a temporary name is read again
// only from there).
class CRowRenamer {
public:
    // files: each row's file as the preview found it, or empty when unknown. temporaries:
    // the names the steps use for a file to wait under.
    CRowRenamer(const RowPathList& oldPaths, const std::vector<std::string_view>& newPaths,
                const std::vector<SFileId>& files, const std::vector<SRenameStep>& steps,
                const std::vector<std::string>& temporaries, IRunObserver* observer);
    ~CRowRenamer();
    CRowRenamer(const CRowRenamer&) = delete;
    CRowRenamer& operator=(const CRowRenamer&) = delete;

    struct SProgress {
        int nSettled;  // every step before this one was tried
        int nFailed;   // the step that failed, -1 when none did
        bool bEnded;   // the stretch is over: nothing more will be tried
        int nError;    // why the failed row's rename failed (an errno value)
    };

    // Starts renaming from step first on; any earlier stretch must have ended.
    void Start(int first);
    // Waits at most wait until more steps than settled are settled or the stretch ended.
    SProgress Wait(int settled, std::chrono::milliseconds wait);
    // Ends the stretch before the next rename; the one in progress is finished.
    void Cancel() { m_bCancel = true; }
    // Waits for the thread of a stretch that ended to be gone.
    void Finish();

private:
    void RenameFrom(int first);
    // The rename of a step as the observer hears of it.
    SComingRename Describe(int step) const;
    // Makes the rename of a step; false, with errno set, when it failed.
    bool Make(const SComingRename& rename);
    // Tells the observer of the renames from step first on, up to a stretch's worth; the
    // step after the last one told goes to m_nToldEnd. False when it refused them.
    bool TellRenamesAhead(int first);
    void Publish(int settled, int failed, bool ended, int error = 0);

    const RowPathList& m_oldPaths;
    const std::vector<std::string_view>& m_newPaths;
    const std::vector<SFileId>& m_files;
    const std::vector<SRenameStep>& m_steps;
    const std::vector<std::string>& m_temporaries;
    // Whether the file of each temporary name went there: a file that could not go there
    // is not taken out of it either.
    std::vector<bool> m_waiting;
    std::string m_strFrom;  // the paths of the rename in progress, reused from step to step
    std::string m_strTo;
    CFolderCache* m_pFolders = nullptr;  // the folders of the stretch in progress
    IRunObserver* m_pObserver;
    int m_nToldEnd = 0;  // the observer heard of the renames of every step before this one
    std::vector<SComingRename> m_coming;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    SProgress m_progress{0, -1, true, 0};
    std::atomic<bool> m_bCancel = false;
    std::thread m_thread;
};
