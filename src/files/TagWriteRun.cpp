// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/TagWriteRun.h"

#include "files/RunHistory.h"
#include "files/RunJournal.h"

CTagWriteRun::CTagWriteRun() = default;

CTagWriteRun::~CTagWriteRun() {
    Finish();
}

bool CTagWriteRun::Start(const CJournalFolder& folder, const std::string& key,
                         const std::string& listPath, std::string& error) {
    std::string name = CRunHistory(folder, key, listPath).NextName();
    m_pJournal = std::make_unique<CRunJournal>(folder, name, listPath);
    if (m_pJournal->RunStarting(0))
        return true;
    error = m_pJournal->Error();
    m_pJournal.reset();
    return false;
}

ITagWriteObserver* CTagWriteRun::Observer() {
    return m_pJournal.get();
}

std::string CTagWriteRun::Finish() {
    if (!m_pJournal)
        return "";
    m_pJournal->RunFinished();
    std::string error = m_pJournal->Error();
    m_pJournal.reset();
    return error;
}
