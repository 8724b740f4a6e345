#include "cli/CliList.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

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
    // The bytes are kept to tell at the end whether the rows changed.
    m_loaded.pieces.assign(1, std::string());
    std::string& loadedBytes = m_loaded.pieces[0];
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
    SListBytes bytes = SerializeListPieces(m_session);
    bool existed = m_loaded.Size() != 0;
    if (existed ? bytes.SameAs(m_loaded) : m_session.List().GetCount() == 0)
        return true;
    m_prompts.SetSubject(m_strPath);
    bool saved = m_doc.SaveBytes(m_strPath, bytes);
    m_prompts.SetSubject("");
    if (saved)
        m_loaded = std::move(bytes);
    return saved;
}
