#include "cli/CliList.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/PathFacts.h"

CCliList::CCliList() : m_session(m_prompts, m_profile), m_doc(m_session) {}

bool CCliList::Load(const std::string& path) {
    m_strPath = path;
    m_strAbsolutePath = ::AbsolutePath(path);
    m_prompts.SetSubject(path);
    std::ifstream in(path, std::ios::binary);
    struct stat st;
    if (!in) {
        if (errno != ENOENT)
            return ReportError(path, std::strerror(errno)) == 0;
        m_doc.OnNewDocument();
        m_bLoaded = true;
        m_prompts.SetSubject("");
        return true;
    }
    if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return ReportError(path, std::strerror(EISDIR)) == 0;
    // The bytes are kept to tell at the end whether the rows changed: cheaper than
    // writing the list out once more.
    m_strLoadedBytes.assign(std::istreambuf_iterator<char>(in), {});
    if (in.bad())
        return ReportError(path, std::strerror(errno)) == 0;
    int errorsBefore = m_prompts.m_nErrors;
    if (!m_doc.OpenFromBytes(m_strLoadedBytes, path)) {
        if (m_prompts.m_nErrors == errorsBefore)
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
    bool existed = !m_strLoadedBytes.empty();
    if (existed ? bytes == m_strLoadedBytes : m_session.List().GetCount() == 0)
        return true;
    m_prompts.SetSubject(m_strPath);
    bool saved = m_doc.OnSaveDocument(m_strPath);
    m_prompts.SetSubject("");
    if (saved)
        m_strLoadedBytes = bytes;
    return saved;
}
