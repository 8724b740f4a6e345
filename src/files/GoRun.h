#pragma once

#include <memory>
#include <string>
#include <vector>

#include "files/GoCommand.h"
#include "files/RowRenamer.h"
#include "model/Job.h"

class CHitDoc;
class CResultsList;
class CTesselSession;

// The renaming phase of a Go run as a job: the files are renamed in row order on a thread
// of their own, while Poll, on the caller's thread, moves each renamed row's entry to its
// new path and name, adds its record, shows progress and asks "Do you want to continue?"
// after a failure (or takes the answer given beforehand). Rows whose file keeps its name
// are skipped and reported unchanged. A cancelled run stops after the rename in progress: the rows
// renamed so far keep their records (so the run's undo step covers them) and the rows not reached
// keep their names and get kResultCancelled, as do those after a failure when the answer
// is not to go on.
class CGoRun : public IJob {
public:
    // results: see RenameRows. The run reads paths until it ended.
    CGoRun(CTesselSession& session, CResultsList& results, SRunPaths& paths, EOnFailure onFailure);

    bool Poll(std::chrono::milliseconds wait) override;
    void Cancel() override;

    // How the run ended: cancelled by the user, or stopped after a failure.
    bool WasCancelled() const { return m_bCancelled; }
    bool WasStopped() const { return m_bStopped; }

private:
    void Record(size_t row, int code, std::unique_ptr<CHitDoc> made = nullptr);
    void TakeRenamed(size_t row);
    // Asks whether to go on after the failed rename of the current row.
    bool GoOnAfterFailure(int error);
    // Gives every row not reached the code (an unchanged row: "Unchanged") and ends the run.
    bool End(int code);
    bool IsUnchanged(size_t row) const;

    CTesselSession& m_session;
    CResultsList& m_results;
    SRunPaths& m_paths;
    size_t m_nRows;
    EOnFailure m_onFailure;
    size_t m_nRow = 0;  // the first row not taken in yet
    bool m_bCancelled = false;
    bool m_bStopped = false;
    bool m_bEnded = false;
    CRowRenamer m_renamer;
};
