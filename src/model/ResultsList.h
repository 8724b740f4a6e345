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
    // Whether the preview's OK is to be enabled.
    bool CanConfirm() const { return !(m_bBlock && HasProblem()); }
    // The system's reason (an errno value) for the failure of the record at index, kept
    // beside its fixed text; 0 when the system gave none.
    void SetSystemError(size_t index, int error);
    int SystemError(size_t index) const;
    // A note on how the record's file gets its name ("swaps names"), shown after its
    // code's text; a fixed text, or nullptr for none.
    void SetNote(size_t index, const char* note);
    // The record's comment as shown: its code's text, with the system's reason or the
    // note after it when there is one ("Unexpected error.  Please refer to help
    // (Permission denied)", "OK (swaps names)").
    std::string Comment(size_t index) const;

    std::string m_strTitle;
    bool m_bBlock = true;
    bool m_bResultsMode = false;

private:
    const CRenameList* m_pRows = nullptr;  // the rows shown as they stand, when set
    CObjectStack<CHitDoc> m_records;
    std::vector<int> m_codes;
    std::unordered_map<size_t, int> m_systemErrors;   // few: only failures have one
    std::unordered_map<size_t, const char*> m_notes;  // few: only files that trade names
};
