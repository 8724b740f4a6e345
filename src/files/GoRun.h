// SPDX-License-Identifier: GPL-3.0-or-later
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

// The renaming phase of a Go run as a job: the files are renamed in the order planned (see
// SRunPaths) on a thread of their own, while Poll, on the caller's thread, moves each
// renamed row's entry to where its file went, shows progress and asks "Do you want to
// continue?" after a failure (or takes the answer given beforehand). The results hold
// one record per row, in row order, whatever the order of the renames; rows whose file
// keeps its name are reported unchanged. A cancelled run stops after the rename in
// progress: the rows renamed so far keep their records (so the run's undo step covers them)
// and the rows not reached keep their names and get kResultCancelled, as do those after a
// failure when the answer is not to go on. A row whose file waits under a temporary name
// when the run stops names it there; undo puts it back.
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
    // Moves the entries of the step's rows to where its rename took their files.
    void TakeStep(const SRenameStep& step);
    void Moved(size_t row, const std::string& path, bool arrived);
    void Failed(const SRenameStep& step, int error);
    // Asks whether to go on after the failed rename of the row.
    bool GoOnAfterFailure(size_t row, int error);
    // Gives every row not done the code (an unchanged row: "Unchanged"), adds the
    // records in row order and ends the run.
    bool End(int code);
    bool IsUnchanged(size_t row) const;

    CTesselSession& m_session;
    CResultsList& m_results;
    SRunPaths& m_paths;
    size_t m_nRows;
    EOnFailure m_onFailure;
    size_t m_nStep = 0;  // the first step not taken in yet
    size_t m_nRowsDone = 0;
    // By row: the code once its renames are over (-1 before), the entry as it stood before
    // its first rename, and the system's reason of a failure.
    std::vector<int> m_codes;
    std::vector<std::unique_ptr<CHitDoc>> m_before;
    std::vector<int> m_errors;
    bool m_bCancelled = false;
    bool m_bStopped = false;
    bool m_bEnded = false;
    CRowRenamer m_renamer;
};
