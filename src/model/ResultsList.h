// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/HitDoc.h"
#include "model/ObjectStack.h"

// The verdict of one file in a preview or in the results of a run.
enum EResultCode : int {
    kResultOk = 0,
    kResultExists = 1,
    kResultNotFound = 2,
    kResultReadOnly = 3,
    kResultIllegalChar = 4,
    kResultUnexpected = 5,
    kResultUnchanged = 6,
    kResultCancelled = 7,    // a run was cancelled or stopped before it reached the file
    kResultNameTooLong = 8,  // longer than the folder's file system takes
};

const char* ResultText(int code);

class CRenameList;

// How many records of a preview or of results have each kind of code.
struct SResultCounts {
    size_t nOk = 0;         // to be renamed (a preview), renamed or written (results)
    size_t nUnchanged = 0;  // left as they are: nothing to do for them
    size_t nCancelled = 0;  // results: never reached, as the run was cancelled or stopped
    size_t nProblems = 0;   // any other code: cannot be done (a preview), failed (results)
};

// What the preview and results dialog shows: one record per file, with its code. A record
// is either a copy made for the purpose (an entry as it stood before a run) or, for a
// preview, the list's row itself, which must then stay as it is while the results are shown.
class CResultsList {
public:
    size_t GetCount() const { return m_codes.size(); }
    const CHitDoc& Record(size_t index) const;
    int Code(size_t index) const { return m_codes.at(index); }
    void SetCode(size_t index, int code) { m_codes.at(index) = code; }

    void AddResult(const CHitDoc& entry, int code);
    // The same for a record made for the purpose.
    void AddResult(std::unique_ptr<CHitDoc> record, int code);
    // Shows every row of the list as it stands, each with its code, without copies. Only
    // for results that hold nothing else.
    void ShowRows(const CRenameList& list, std::vector<int> codes);

    // The index of the first record from start on whose code is a problem, or the count.
    // A file left as it is ("Unchanged") is none: nothing was in its way.
    size_t FirstProblemFrom(size_t start) const;
    // True when some record's code is a problem.
    bool HasProblem() const { return FirstProblemFrom(0) < GetCount(); }
    // True when a problem keeps the run from starting: the list blocks on any.
    bool IsBlocked() const { return m_bBlock && HasProblem(); }
    // True when some record is to be renamed or written: a run of unchanged rows (or of
    // rows that can none be done) has nothing to do.
    bool HasWork() const;
    // Whether the preview's OK is to be enabled: there is work, and nothing blocks it.
    bool CanConfirm() const { return HasWork() && !IsBlocked(); }
    SResultCounts Counts() const;
    // The first line of the dialog: the counts in words, as "2 rows OK, 1 unchanged,
    // 1 cannot be renamed" for a preview, "2 renamed, 1 failed, 3 not renamed (2
    // cancelled, 1 unchanged)" for results.
    std::string Summary() const;
    // Why a preview cannot be confirmed; empty when it can.
    std::string ConfirmRefusal() const;
    // The system's reason (an errno value) for the failure of the record at index, kept
    // beside its fixed text; 0 when the system gave none.
    void SetSystemError(size_t index, int error);
    int SystemError(size_t index) const;
    // A comment shown in place of "OK": a warning about a record that goes ahead all the
    // same (a tag losing characters), or how its file gets its name ("OK (swaps names)");
    // empty for none.
    void SetNote(size_t index, std::string note);
    // Adds to the record's note, after "; " when it has one already.
    void AddNote(size_t index, const std::string& note);
    // The record's comment as shown: its code's text, with the system's reason after it
    // when there is one ("Unexpected error.  Please refer to help (Permission denied)"),
    // or for an OK record with a note, the note.
    std::string Comment(size_t index) const;

    std::string m_strTitle;
    bool m_bBlock = true;
    bool m_bResultsMode = false;
    bool m_bTags = false;  // the records are tags written, not files renamed

private:
    const CRenameList* m_pRows = nullptr;  // the rows shown as they stand, when set
    CObjectStack<CHitDoc> m_records;
    std::vector<int> m_codes;
    std::unordered_map<size_t, int> m_systemErrors;   // few: only failures have one
    std::unordered_map<size_t, std::string> m_notes;  // few: only warnings and trades of names
};
