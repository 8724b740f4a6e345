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
    kResultCancelled = 7,  // a run was cancelled before it reached the file
};

const char* ResultText(int code);

// What the preview and results dialog shows: one copy of an entry per file with its
// code in m_nTag.
class CResultsList {
public:
    void AddResult(const CHitDoc& entry, int code);
    // The same for a record made for the purpose.
    void AddResult(std::unique_ptr<CHitDoc> record, int code);
    // Records made for the purpose that carry their codes already, in order.
    void AddResults(std::vector<std::unique_ptr<CHitDoc>> records);
    // The index of the first record from start on whose code is a problem, or the count.
    // A file left as it is ("Unchanged") is none: nothing was in its way.
    size_t FirstProblemFrom(size_t start) const;
    // True when some record's code is a problem.
    bool HasProblem() const { return FirstProblemFrom(0) < m_records.GetCount(); }
    // Whether the preview's OK is to be enabled.
    bool CanConfirm() const { return !(m_bBlock && HasProblem()); }
    // The system's reason (an errno value) for the failure of the record at index, kept
    // beside its fixed text; 0 when the system gave none.
    void SetSystemError(size_t index, int error);
    int SystemError(size_t index) const;

    std::string m_strTitle;
    bool m_bBlock = true;
    bool m_bResultsMode = false;
    CObjectStack<CHitDoc> m_records;

private:
    std::unordered_map<size_t, int> m_systemErrors;  // few: only failures have one
};
