// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ResultsList.h"

#include <cstring>

#include "model/CountText.h"
#include "model/RenameList.h"

const char* ResultText(int code) {
    switch (code) {
        case kResultOk:
            return "OK";
        case kResultExists:
            return "File already exists";
        case kResultNotFound:
            return "File not found";
        case kResultReadOnly:
            return "Read only";
        case kResultIllegalChar:
            return "Illegal character";
        case kResultUnexpected:
            return "Unexpected error.  Please refer to help";
        case kResultUnchanged:
            return "Unchanged";
        case kResultCancelled:
            return "Not renamed";
        case kResultNameTooLong:
            return "File name too long";
        default:
            return "";
    }
}

const CHitDoc& CResultsList::Record(size_t index) const {
    if (m_pRows != nullptr)
        return m_pRows->GetEntry(static_cast<int>(index));
    return m_records.At(index);
}

void CResultsList::AddResult(const CHitDoc& entry, int code) {
    AddResult(std::make_unique<CHitDoc>(entry), code);
}

void CResultsList::AddResult(std::unique_ptr<CHitDoc> record, int code) {
    m_records.Push(std::move(record));
    m_codes.push_back(code);
}

void CResultsList::ShowRows(const CRenameList& list, std::vector<int> codes) {
    m_pRows = &list;
    m_codes = std::move(codes);
    m_codes.resize(static_cast<size_t>(list.GetCount()), kResultUnexpected);
}

void CResultsList::SetSystemError(size_t index, int error) {
    if (error != 0)
        m_systemErrors[index] = error;
    else
        m_systemErrors.erase(index);
}

int CResultsList::SystemError(size_t index) const {
    auto found = m_systemErrors.find(index);
    return found == m_systemErrors.end() ? 0 : found->second;
}

size_t CResultsList::FirstProblemFrom(size_t start) const {
    for (size_t i = start; i < m_codes.size(); ++i)
        if (m_codes[i] != kResultOk && m_codes[i] != kResultUnchanged)
            return i;
    return m_codes.size();
}

void CResultsList::SetNote(size_t index, std::string note) {
    if (!note.empty())
        m_notes[index] = std::move(note);
    else
        m_notes.erase(index);
}

void CResultsList::AddNote(size_t index, const std::string& note) {
    if (note.empty())
        return;
    std::string& kept = m_notes[index];
    kept += kept.empty() ? note : "; " + note;
}

std::string CResultsList::Comment(size_t index) const {
    if (Code(index) == kResultOk) {
        auto note = m_notes.find(index);
        if (note != m_notes.end())
            return note->second;
    }
    std::string comment = ResultText(Code(index));
    if (int error = SystemError(index))
        comment += std::string(" (") + std::strerror(error) + ")";
    return comment;
}

bool CResultsList::HasWork() const {
    for (int code : m_codes)
        if (code == kResultOk)
            return true;
    return false;
}

SResultCounts CResultsList::Counts() const {
    SResultCounts counts;
    for (int code : m_codes) {
        if (code == kResultOk)
            ++counts.nOk;
        else if (code == kResultUnchanged)
            ++counts.nUnchanged;
        else if (code == kResultCancelled)
            ++counts.nCancelled;
        else
            ++counts.nProblems;
    }
    return counts;
}

std::string CResultsList::Summary() const {
    SResultCounts counts = Counts();
    const char* done = m_bTags ? "written" : "renamed";
    if (!m_bResultsMode) {
        std::string text = Counted(counts.nOk, "row", "rows") + " OK, " +
                           GroupedNumber(counts.nUnchanged) + " unchanged";
        // Before a run nothing is cancelled yet: every other code stands in its way.
        size_t problems = counts.nProblems + counts.nCancelled;
        if (problems > 0)
            text += ", " + GroupedNumber(problems) + " cannot be " + done;
        return text;
    }
    std::string text = GroupedNumber(counts.nOk) + " " + done + ", " +
                       GroupedNumber(counts.nProblems) + " failed";
    size_t left = counts.nCancelled + counts.nUnchanged;
    if (left == 0)
        return text;
    text += ", " + GroupedNumber(left) + " not " + done + " (";
    if (counts.nCancelled > 0)
        text += GroupedNumber(counts.nCancelled) + " cancelled";
    if (counts.nCancelled > 0 && counts.nUnchanged > 0)
        text += ", ";
    if (counts.nUnchanged > 0)
        text += GroupedNumber(counts.nUnchanged) + " unchanged";
    return text + ")";
}

std::string CResultsList::ConfirmRefusal() const {
    if (m_bResultsMode || CanConfirm())
        return "";
    const char* done = m_bTags ? "written" : "renamed";
    SResultCounts counts = Counts();
    if (IsBlocked()) {
        size_t problems = GetCount() - counts.nOk - counts.nUnchanged;
        return Counted(problems, "row", "rows") + " cannot be " + done + ": fix or remove " +
               (problems == 1 ? "it" : "them") + " to go on";
    }
    std::string nothing = m_bTags ? "Nothing to write: " : "Nothing to rename: ";
    if (GetCount() == 0)
        return nothing + "the list is empty";
    if (counts.nUnchanged == GetCount())
        return nothing + "every row is unchanged";
    return nothing + "no row that would change can be " + done;
}
