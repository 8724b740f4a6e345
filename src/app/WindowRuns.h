#pragma once

#include <functional>
#include <memory>
#include <string>

class CJournaledRun;
class CTesselDoc;
class CTesselSession;
class IJob;
struct SRunList;
struct SRunOutcome;

// Go and Undo of runs from the window, through the core's journaled run, which the window
// polls while its thread stays free: the list's lock is never waited for (another process
// holding it is told at once), and every run keeps its journal, saved list or not. Also
// offers to put back the files of runs whose process died before they ended.
class CWindowRuns {
public:
    // Starts a job polled by the window; finished is called once it ended, before the job
    // goes.
    using JobStarter =
        std::function<void(std::unique_ptr<IJob> job, std::function<void()> finished)>;

    CWindowRuns(CTesselSession& session, CTesselDoc& doc, JobStarter start);

    void Go();
    // An edit step is taken back at once; a run's files go back through its journal.
    void Undo();
    // Looks for interrupted runs of the list open now (and, at start-up, of lists that had
    // no file) and offers to put each one's files back.
    void OfferInterruptedRuns(bool untitledToo);

private:
    SRunList ListNow() const;
    void Start(std::unique_ptr<CJournaledRun> run, std::function<void(const SRunOutcome&)> shown);
    void ShowRefusal(const SRunOutcome& outcome);

    CTesselSession& m_session;
    CTesselDoc& m_doc;
    JobStarter m_start;
    // The key of the window's list while it has no file.
    std::string m_strUntitledKey;
};
