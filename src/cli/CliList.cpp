#include "cli/CliList.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string_view>

#include "platform/PathFacts.h"
#include "platform/ReadWholeFile.h"

CCliList::CCliList() : m_session(m_prompts, m_profile), m_doc(m_session) {}

bool CCliList::Lock() {
    std::string error;
    if (m_guard.Take(m_strAbsolutePath, error))
        return true;
    // A folder's problem names the folder; the lock's concerns the list.
    return ReportError(m_guard.Folder().IsOpen() ? m_strPath : "", error) == 0;
}

bool CCliList::Load(const std::string& path, bool toChange) {
    m_strPath = path;
    m_strAbsolutePath = ::AbsolutePath(path);
    if (toChange && !Lock())
        return false;
    m_prompts.SetSubject(path);
    std::string loadedBytes;
    int error = ReadWholeFile(path, loadedBytes);
    if (error == ENOENT) {
        m_doc.OnNewDocument();
        m_bLoaded = true;
        m_prompts.SetSubject("");
        return true;
    }
    if (error == EINVAL) {
        // Not a regular file (a pipe, say): read as a stream.
        std::ifstream in(path, std::ios::binary);
        loadedBytes.assign(std::istreambuf_iterator<char>(in), {});
        error = in.bad() || !in.is_open() ? errno : 0;
    }
    if (error != 0)
        return ReportError(path, std::strerror(error)) == 0;
    m_nLoadedSize = loadedBytes.size();
    m_nLoadedHash = std::hash<std::string_view>()(loadedBytes);
    int errorsBefore = m_prompts.Errors();
    if (!m_doc.OpenFromBytes(loadedBytes, path)) {
        if (m_prompts.Errors() == errorsBefore)
            ReportError(path, "cannot load the list");
        return false;
    }
    m_bLoaded = true;
    m_prompts.SetSubject("");
    return true;
}

bool CCliList::SaveIfChanged() {
    if (!m_bLoaded)
        return false;
    std::string bytes = SerializeList(m_session);
    bool existed = m_nLoadedSize != 0;
    bool same = bytes.size() == m_nLoadedSize &&
                std::hash<std::string_view>()(bytes) == m_nLoadedHash;
    if (existed ? same : m_session.List().GetCount() == 0)
        return true;
    m_prompts.SetSubject(m_strPath);
    bool saved = m_doc.SaveBytes(m_strPath, bytes);
    m_prompts.SetSubject("");
    if (saved) {
        m_nLoadedSize = bytes.size();
        m_nLoadedHash = std::hash<std::string_view>()(bytes);
    }
    return saved;
}
