// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/VerdictWatcher.h"

#include <algorithm>

#include "files/GoCommand.h"
#include "model/Profile.h"
#include "model/Prompts.h"
#include "model/ResultsList.h"
#include "model/TesselSession.h"

namespace {

// The copy that is judged asks nothing and shows nothing.
class CSilentPrompts : public IPrompts {
public:
    EAnswer Message(EMessageId, const std::string&, EIcon, EButtons) override {
        return EAnswer::Cancel;
    }
    bool ChooseFilesToAdd(std::vector<std::string>&) override { return false; }
    bool ChooseExtension(SExtensionChoice&) override { return false; }
    bool ShowResults(const CResultsList&) override { return false; }
    bool AskSwapMiddle(std::string&) override { return false; }
    bool AskSeparator(SSeparatorChoice&) override { return false; }
    bool ShowOptions(EOptionsPage, SId3EditorOptions&) override { return false; }
    bool RunRenameWizard(const SWizardInput&, SNumberingSettings&) override { return false; }
    void BeginProgress(int) override {}
    void SetProgress(int) override {}
    void ShowProgress(bool) override {}
    void EndProgress() override {}
};

std::vector<int> JudgeRows(std::vector<CVerdictWatcher::SRowTexts> rows) {
    CSilentPrompts prompts;
    CMemoryProfile profile;
    CTesselSession copy(prompts, profile);
    for (CVerdictWatcher::SRowTexts& row : rows) {
        auto entry = std::make_unique<CHitDoc>();
        entry->m_strName.Set(std::move(row.strName));
        entry->m_strNewName.Set(std::move(row.strNewName));
        entry->m_strExt.Set(std::move(row.strExt));
        entry->m_strPath.Set(std::move(row.strPath));
        copy.List().Append(std::move(entry));
    }
    CResultsList preview;
    FillPreview(copy, preview);
    std::vector<int> verdicts;
    verdicts.reserve(preview.GetCount());
    for (size_t i = 0; i < preview.GetCount(); ++i)
        verdicts.push_back(preview.Code(i));
    return verdicts;
}

}  // namespace

CVerdictWatcher::CVerdictWatcher(CTesselSession& session, QObject* parent)
    : QObject(parent), m_session(session), m_pLink(std::make_shared<SLink>()) {
    m_pLink->pWatcher = this;
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(kQuietMs);
    connect(&m_quiet, &QTimer::timeout, this, &CVerdictWatcher::Start);
}

CVerdictWatcher::~CVerdictWatcher() {
    {
        std::lock_guard<std::mutex> lock(m_pLink->mutex);
        m_pLink->pWatcher = nullptr;
    }
    if (m_worker.joinable())
        m_worker.join();
}

void CVerdictWatcher::Schedule() {
    ++m_nGeneration;
    m_quiet.start();
}

void CVerdictWatcher::Start() {
    if (m_bRunning || m_bCopying) {
        m_bStale = true;
        return;
    }
    if (m_session.IsMp3Mode() || m_session.List().GetCount() == 0) {
        if (!m_verdicts.empty()) {
            m_verdicts.clear();
            emit VerdictsChanged();
        }
        return;
    }
    m_bCopying = true;
    m_nCopyGeneration = m_nGeneration;
    m_nCopyRows = static_cast<size_t>(m_session.List().GetCount());
    m_copy.clear();
    m_copy.reserve(m_nCopyRows);
    CopySlice();
}

void CVerdictWatcher::CopySlice() {
    const CRenameList& list = m_session.List();
    // Any change of the list since the copy began makes it worthless; the change asked
    // for another pass already.
    if (m_nGeneration != m_nCopyGeneration || m_nCopyRows != static_cast<size_t>(list.GetCount())) {
        m_bCopying = false;
        m_copy.clear();
        m_quiet.start();
        return;
    }
    size_t end = std::min(m_nCopyRows, m_copy.size() + kRowsPerSlice);
    for (size_t row = m_copy.size(); row < end; ++row) {
        const CHitDoc& entry = list.GetEntry(static_cast<int>(row));
        m_copy.push_back({entry.m_strName.Get(), entry.m_strNewName.Get(), entry.m_strExt.Get(),
                          entry.m_strPath.Get()});
    }
    if (m_copy.size() < m_nCopyRows) {
        QTimer::singleShot(0, this, &CVerdictWatcher::CopySlice);
        return;
    }
    m_bCopying = false;
    Judge();
}

void CVerdictWatcher::Judge() {
    if (m_worker.joinable())
        m_worker.join();
    m_bRunning = true;
    unsigned generation = m_nCopyGeneration;
    std::shared_ptr<SLink> link = m_pLink;
    m_worker = std::thread([link, generation, rows = std::move(m_copy)]() mutable {
        std::vector<int> verdicts = JudgeRows(std::move(rows));
        std::lock_guard<std::mutex> lock(link->mutex);
        if (CVerdictWatcher* watcher = link->pWatcher)
            QMetaObject::invokeMethod(
                watcher,
                [watcher, generation, verdicts = std::move(verdicts)]() mutable {
                    watcher->Finished(generation, std::move(verdicts));
                },
                Qt::QueuedConnection);
    });
    m_copy = {};
}

void CVerdictWatcher::Finished(unsigned generation, std::vector<int> verdicts) {
    m_bRunning = false;
    if (m_worker.joinable())
        m_worker.join();
    // The list changed while it was judged: these verdicts belong to an older list.
    if (generation != m_nGeneration || m_bStale) {
        m_bStale = false;
        m_quiet.start();
        return;
    }
    m_verdicts = std::move(verdicts);
    emit VerdictsChanged();
}
