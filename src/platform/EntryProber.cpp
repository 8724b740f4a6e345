#include "platform/EntryProber.h"

#include <fcntl.h>
#include <unistd.h>

CEntryProber::~CEntryProber() {
    if (m_fd >= 0)
        close(m_fd);
}

void CEntryProber::OpenFolder(std::string_view folder) {
    if (m_fd >= 0 && folder == m_strFolder)
        return;
    if (m_fd >= 0)
        close(m_fd);
    m_strFolder = folder;
    m_fd = open(m_strFolder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

const std::string* CEntryProber::Probe(const std::string& path, SPathFacts& facts) {
    if (!IsPlainAbsolutePath(path)) {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = -1;
        m_strFolder = QueryEntryFolder(path, facts);
        return m_strFolder.empty() ? nullptr : &m_strFolder;
    }
    size_t nameStart = path.find_last_of('/') + 1;
    OpenFolder(std::string_view(path).substr(0, nameStart));
    facts = SPathFacts();
    // Should the folder not open (no descriptor left, say), the whole path answers.
    bool found = m_fd >= 0 ? StatEntryAt(m_fd, path.c_str() + nameStart, facts)
                           : StatEntryAt(AT_FDCWD, path.c_str(), facts);
    return found ? &m_strFolder : nullptr;
}
