#pragma once

#include <string>
#include <vector>

class CRunJournal;
class CTesselSession;
class IRunObserver;

// A rename that undo could not put back: the path concerned and why, in the results
// list's words where it has them.
struct SUndoProblem {
    std::string strPath;
    std::string strText;
};

struct SJournalUndoOutcome {
    // Nothing was undone, for this reason: no journal, one that cannot be trusted, or
    // one that names files the list never renamed.
    std::string strRefusal;
    // Renames that could not be put back; the journal keeps them for a later undo.
    std::vector<SUndoProblem> problems;
    // The journal could not be brought up to date afterwards.
    std::string strJournalError;
};

// Undoes the run the journal recorded, from its last rename to its first, so that a name
// freed by a later rename of the run is free again first: each file goes back to its old
// name, never replacing an entry, and the rows that name the file under its new path take
// the old one. Every rename must belong to a row of the list (the row names the file under
// one of its two paths, in one folder), or the journal is refused whole. The renames put
// back, or found in place, leave the journal; the others stay in it. The observer, when
// given, hears each rename back before it is tried (from its new path to its old one).
SJournalUndoOutcome UndoRecordedRun(CTesselSession& session, const CRunJournal& journal,
                                    IRunObserver* observer = nullptr);
