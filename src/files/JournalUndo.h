// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "files/JournalFormat.h"
#include "files/PutBack.h"
#include "model/Job.h"

class CChunkedJob;
class CTesselSession;
class IRunObserver;

// A rename that undo could not put back: the path concerned and why, in the results
// list's words where it has them, else the system's.
struct SUndoProblem {
    std::string strPath;
    std::string strText;
};

// Why the journal's renames may not be replayed, or empty when they may: each must move a
// file it identifies (device and inode) from one plain absolute path to another in the
// same folder. A journal that fails this moves nothing.
std::string CheckJournalRenames(const SJournalContents& contents);

// Puts back the renames of a journal, from the last to the first, so that a name a later
// rename took from an earlier one is free again first. The files go back on a thread of
// their own, each only while the file under its new name is the one recorded, and never
// replacing an entry; on the caller's thread every row that names a file put back under its
// new path takes the old one, and progress shows. The journal's own records are trusted:
// rows added or reordered since the run do not matter. A Cancel stops after the renames in
// hand. The observer, when given, hears each rename back before it is tried (from its new
// path to its old one), on the putting-back thread.
class CPutBackJob : public IJob {
public:
    CPutBackJob(CTesselSession& session, SJournalContents contents, IRunObserver* observer);
    ~CPutBackJob() override;

    bool Poll(std::chrono::milliseconds wait) override;
    void Cancel() override;

    // The files the journal's records move.
    size_t Files() const { return m_contents.Files(); }
    // Once the job ended: the records left for a later undo (they failed or were not
    // reached), in the order the run made them, and the files with a record that failed.
    SJournalContents Left() const { return Picked(m_left); }
    size_t FilesFailed() const { return Picked(m_failed).Files(); }
    const std::vector<SUndoProblem>& Problems() const { return m_problems; }
    bool Cancelled() const { return m_nTaken < m_contents.renames.size(); }

private:
    void Work(size_t first, size_t last);
    void TakeIn(size_t first, size_t last);
    // The row naming path, taken out of m_rowOfPath, or -1.
    int TakeRowOf(const std::string& path);
    // The row names path, and is found by it.
    void MoveRow(int row, const std::string& path);
    size_t Count() const;
    // The records marked, by record: the renames, then the tag writes.
    SJournalContents Picked(const std::vector<bool>& marked) const;
    const SRunRename& RenameAt(size_t k) const;
    const STagWrite* TagAt(size_t k) const;

    CTesselSession& m_session;
    SJournalContents m_contents;
    IRunObserver* m_pObserver;
    // By order of putting back: the last tag write first, then the last rename first.
    std::vector<EPutBack> m_outcomes;
    std::vector<int> m_errors;
    std::vector<bool> m_left;  // by record: the renames, then the tag writes
    std::vector<bool> m_failed;
    std::vector<SUndoProblem> m_problems;
    std::unordered_map<std::string, int> m_rowOfPath;  // the rows by the path they name
    size_t m_nTaken = 0;
    bool m_bEnded = false;
    std::unique_ptr<CChunkedJob> m_pJob;
};
