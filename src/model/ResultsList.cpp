#include "model/ResultsList.h"

#include <cstring>

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

void CResultsList::SetNote(size_t index, const char* note) {
    if (note != nullptr)
        m_notes[index] = note;
    else
        m_notes.erase(index);
}

std::string CResultsList::Comment(size_t index) const {
    std::string comment = ResultText(Code(index));
    if (int error = SystemError(index))
        comment += std::string(" (") + std::strerror(error) + ")";
    else if (auto note = m_notes.find(index); note != m_notes.end())
        comment += std::string(" (") + note->second + ")";
    return comment;
}
