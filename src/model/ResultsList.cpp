#include "model/ResultsList.h"

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
            return "Not renamed: the run was cancelled";
        default:
            return "";
    }
}

void CResultsList::AddResult(const CHitDoc& entry, int code) {
    AddResult(std::make_unique<CHitDoc>(entry), code);
}

void CResultsList::AddResult(std::unique_ptr<CHitDoc> record, int code) {
    record->m_nTag = code;
    m_records.Push(std::move(record));
}

void CResultsList::AddResults(std::vector<std::unique_ptr<CHitDoc>> records) {
    m_records.Reserve(m_records.GetCount() + records.size());
    for (std::unique_ptr<CHitDoc>& record : records)
        m_records.Push(std::move(record));
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
    size_t count = m_records.GetCount();
    for (size_t i = start; i < count; ++i) {
        int code = m_records.At(i).m_nTag;
        if (code != kResultOk && code != kResultUnchanged)
            return i;
    }
    return count;
}
