// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RowRenamer.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "model/RunObserver.h"
#include "platform/FileRename.h"
#include "platform/FolderCache.h"

namespace {

// Rows renamed between two reports to the waiting thread: few enough wake-ups to cost
// nothing, often enough for a smooth progress bar.
constexpr int kRowsPerReport = 256;
// Renames told to the observer at once: one journal write covers them.
constexpr int kRenamesPerNotice = 256;

}  // namespace

CRowRenamer::CRowRenamer(const RowPathList& oldPaths, const std::vector<std::string_view>& newPaths,
                         const std::vector<SFileId>& files, const std::vector<SRenameStep>& steps,
                         const std::vector<std::string>& temporaries, IRunObserver* observer)
    : m_oldPaths(oldPaths),
      m_newPaths(newPaths),
      m_files(files),
      m_steps(steps),
      m_temporaries(temporaries),
      m_waiting(temporaries.size(), false),
      m_pObserver(observer) {}

CRowRenamer::~CRowRenamer() {
    Finish();
}

void CRowRenamer::Finish() {
    if (m_thread.joinable())
        m_thread.join();
}

void CRowRenamer::Start(int first) {
    Finish();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_progress = SProgress{first, -1, false, 0};
    }
    try {
        m_thread = std::thread([this, first] { RenameFrom(first); });
    } catch (const std::system_error&) {
        RenameFrom(first);
    }
}

SComingRename CRowRenamer::Describe(int step) const {
    const SRenameStep& planned = m_steps[static_cast<size_t>(step)];
    size_t row = static_cast<size_t>(planned.nRow);
    SComingRename rename;
    rename.nStep = step;
    rename.nRow = planned.nRow;
    rename.file = row < m_files.size() ? m_files[row] : SFileId();
    switch (planned.kind) {
        case EStepKind::Rename:
            rename.from = *m_oldPaths[row];
            rename.to = m_newPaths[row];
            break;
        case EStepKind::ToTemporary:
            rename.from = *m_oldPaths[row];
            rename.to = m_temporaries[static_cast<size_t>(planned.nTemporary)];
            break;
        case EStepKind::FromTemporary:
            rename.from = m_temporaries[static_cast<size_t>(planned.nTemporary)];
            rename.to = m_newPaths[row];
            break;
        case EStepKind::Exchange: {
            size_t other = static_cast<size_t>(planned.nOther);
            rename.from = *m_oldPaths[row];
            rename.to = *m_oldPaths[other];
            rename.bExchange = true;
            rename.nOtherRow = planned.nOther;
            rename.otherFile = other < m_files.size() ? m_files[other] : SFileId();
            break;
        }
    }
    return rename;
}

bool CRowRenamer::Make(const SComingRename& rename) {
    m_strFrom.assign(rename.from);
    m_strTo.assign(rename.to);
    return rename.bExchange ? ExchangeFiles(m_strFrom, m_strTo, *m_pFolders)
                            : RenameFile(m_strFrom, m_strTo, *m_pFolders);
}

void CRowRenamer::RenameFrom(int first) {
    // Steps come folder by folder: each rename looks up only its two names in the folder.
    CFolderCache folders;
    m_pFolders = &folders;
    int steps = static_cast<int>(m_steps.size());
    for (int step = first; step < steps; ++step) {
        if (m_bCancel) {
            Publish(step, -1, true);
            return;
        }
        const SRenameStep& planned = m_steps[static_cast<size_t>(step)];
        // A file that never went to its temporary name has nothing to come back from.
        if (planned.kind == EStepKind::FromTemporary &&
            !m_waiting[static_cast<size_t>(planned.nTemporary)])
            continue;
        SComingRename rename = Describe(step);
        bool recorded = m_pObserver == nullptr || ((step < m_nToldEnd || TellRenamesAhead(step)) &&
                                                   m_pObserver->RenameStarting(rename));
        if (!recorded || !Make(rename)) {
            int error = errno;
            if (recorded && m_pObserver != nullptr)
                m_pObserver->RenameFailed(step);
            Publish(step + 1, step, true, error);
            return;
        }
        if (planned.kind == EStepKind::ToTemporary)
            m_waiting[static_cast<size_t>(planned.nTemporary)] = true;
        if ((step + 1 - first) % kRowsPerReport == 0)
            Publish(step + 1, -1, false);
    }
    Publish(steps, -1, true);
}

bool CRowRenamer::TellRenamesAhead(int first) {
    m_coming.clear();
    int steps = static_cast<int>(m_steps.size());
    int step = first;
    for (; step < steps && static_cast<int>(m_coming.size()) < kRenamesPerNotice; ++step) {
        // The way back from a temporary name is recorded once the file is there: a run
        // killed before leaves no record of a rename its file was never ready for.
        const SRenameStep& planned = m_steps[static_cast<size_t>(step)];
        if (planned.kind == EStepKind::FromTemporary &&
            !m_waiting[static_cast<size_t>(planned.nTemporary)])
            break;
        m_coming.push_back(Describe(step));
    }
    if (!m_pObserver->RenamesAhead(m_coming))
        return false;
    m_nToldEnd = step;
    return true;
}

void CRowRenamer::Publish(int settled, int failed, bool ended, int error) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_progress = SProgress{settled, failed, ended, error};
    }
    m_changed.notify_one();
}

CRowRenamer::SProgress CRowRenamer::Wait(int settled, std::chrono::milliseconds wait) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait_for(lock, wait,
                       [&] { return m_progress.bEnded || m_progress.nSettled > settled; });
    return m_progress;
}
