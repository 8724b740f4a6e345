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
                         const std::vector<SFileId>& files, IRunObserver* observer)
    : m_oldPaths(oldPaths), m_newPaths(newPaths), m_files(files), m_pObserver(observer) {}

CRowRenamer::~CRowRenamer() {
    if (m_thread.joinable())
        m_thread.join();
}

void CRowRenamer::Start(int first) {
    if (m_thread.joinable())
        m_thread.join();
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

void CRowRenamer::RenameFrom(int first) {
    // Rows come folder by folder: each rename looks up only its two names in the folder.
    CFolderCache folders;
    int rows = static_cast<int>(std::min(m_oldPaths.size(), m_newPaths.size()));
    for (int row = first; row < rows; ++row) {
        if (m_bCancel) {
            Publish(row, -1, true);
            return;
        }
        const std::string& from = *m_oldPaths[static_cast<size_t>(row)];
        // A file that keeps its name is left alone, and nothing is recorded for it.
        if (from == m_newPaths[static_cast<size_t>(row)])
            continue;
        const std::string& to = m_strTo.assign(m_newPaths[static_cast<size_t>(row)]);
        bool recorded =
            m_pObserver == nullptr || ((row < m_nToldEnd || TellRenamesAhead(row, rows)) &&
                                       m_pObserver->RenameStarting(row, from, to));
        if (!recorded || !RenameFile(from, to, folders)) {
            int error = errno;
            if (recorded && m_pObserver != nullptr)
                m_pObserver->RenameFailed(row);
            Publish(row + 1, row, true, error);
            return;
        }
        if ((row + 1 - first) % kRowsPerReport == 0)
            Publish(row + 1, -1, false);
    }
    Publish(rows, -1, true);
}

bool CRowRenamer::TellRenamesAhead(int first, int rows) {
    m_coming.clear();
    int row = first;
    for (; row < rows && static_cast<int>(m_coming.size()) < kRenamesPerNotice; ++row) {
        size_t at = static_cast<size_t>(row);
        if (*m_oldPaths[at] == m_newPaths[at])
            continue;
        m_coming.push_back(SComingRename{row, *m_oldPaths[at], m_newPaths[at],
                                         at < m_files.size() ? m_files[at] : SFileId()});
    }
    if (!m_pObserver->RenamesAhead(m_coming))
        return false;
    m_nToldEnd = row;
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
