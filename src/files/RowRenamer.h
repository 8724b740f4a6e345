#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "files/LocateRows.h"
#include "model/RunObserver.h"

// Renames the files of a run's rows on a thread of its own, in row order, so that the
// thread that started it can bring the entries up to date behind it: the renames never
// wait for that bookkeeping. A stretch of rows ends at the first rename that fails, or at
// the last row. A row whose new path is its old one is skipped. The observer hears each
// rename on the renaming thread, one at a time, and before them the renames coming next,
// a few hundred at a time, so that a journal writes their records in one go.
//
// While a stretch runs, the renaming thread reads each row's paths from oldPaths (the
// entries' own) and newPaths; the caller may change a row's entry or paths only once Wait
// reported it settled.
class CRowRenamer {
public:
    // files: each row's file as the preview found it, or empty when unknown.
    CRowRenamer(const RowPathList& oldPaths, const std::vector<std::string_view>& newPaths,
                const std::vector<SFileId>& files, IRunObserver* observer);
    ~CRowRenamer();
    CRowRenamer(const CRowRenamer&) = delete;
    CRowRenamer& operator=(const CRowRenamer&) = delete;

    struct SProgress {
        int nSettled;  // every row before this one was tried
        int nFailed;   // the row whose rename failed, -1 when none did
        bool bEnded;   // the stretch is over: nothing more will be tried
        int nError;    // why the failed row's rename failed (an errno value)
    };

    // Starts renaming from row first on; any earlier stretch must have ended.
    void Start(int first);
    // Waits at most wait until more rows than settled are settled or the stretch ended.
    SProgress Wait(int settled, std::chrono::milliseconds wait);
    // Ends the stretch before the next rename; the one in progress is finished.
    void Cancel() { m_bCancel = true; }

private:
    void RenameFrom(int first);
    // Tells the observer of the renames from row first on, up to a stretch's worth; the
    // row after the last one told goes to m_nToldEnd. False when it refused them.
    bool TellRenamesAhead(int first, int rows);
    void Publish(int settled, int failed, bool ended, int error = 0);

    const RowPathList& m_oldPaths;
    const std::vector<std::string_view>& m_newPaths;
    std::string m_strTo;  // the new path of the rename in progress, reused from row to row
    const std::vector<SFileId>& m_files;
    IRunObserver* m_pObserver;
    int m_nToldEnd = 0;  // the observer heard of the renames of every row before this one
    std::vector<SComingRename> m_coming;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    SProgress m_progress{0, -1, true, 0};
    std::atomic<bool> m_bCancel = false;
    std::thread m_thread;
};
