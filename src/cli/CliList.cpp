// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliList.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "model/Archive.h"
#include "platform/PathFacts.h"
#include "platform/RegularFile.h"

CCliList::CCliList() : m_session(m_prompts, m_profile), m_doc(m_session) {
    // The process ends after its one command: nothing it changes is undone in memory.
    m_session.SetUndoable(false);
}

bool CCliList::Lock(bool forRun) {
    std::string error;
    if (m_guard.Take(m_strAbsolutePath, error))
        return true;
    // Without a journal folder a run could not be undone; an edit of the list needs none.
    if (!forRun && !m_guard.Folder().IsOpen())
        return true;
    // A folder's problem names the folder; the lock's concerns the list.
    return ReportError(m_guard.Folder().IsOpen() ? m_strPath : "", error) == 0;
}

bool CCliList::Load(const std::string& path, bool toChange, bool forRun) {
    return LoadFile(path, toChange, forRun, false);
}

bool CCliList::LoadOrStart(const std::string& path) {
    return LoadFile(path, true, false, true);
}

bool CCliList::LoadFile(const std::string& path, bool toChange, bool forRun, bool mayStart) {
    m_strPath = path;
    m_strAbsolutePath = ::AbsolutePath(path);
    if (toChange && !Lock(forRun))
        return false;
    m_prompts.SetSubject(path);
    int fd = -1;
    uint64_t size = 0;
    int error = OpenRegularFile(path, fd, size);
    if (error == ENOENT && !mayStart)
        return ReportError(path, kNoSuchListMessage) == 0;
    if (error == ENOENT) {
        m_bStarted = true;
        m_doc.OnNewDocument();
        m_bLoaded = true;
        m_prompts.SetSubject("");
        return true;
    }
    int errorsBefore = m_prompts.Errors();
    bool opened = false;
    if (error == 0) {
        CArchiveReader reader(
            [fd](char* buffer, size_t count) { return ReadSome(fd, buffer, count); }, size);
        opened = m_doc.OpenFrom(reader, path);
        close(fd);
        m_nLoadedSize = size;
    } else if (error == EINVAL) {
        // Not a regular file (a pipe, say): read as a stream, and kept to compare with,
        // since it cannot be read again.
        std::ifstream in(path, std::ios::binary);
        m_streamBytes.emplace(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad() || !in.is_open())
            return ReportError(path, std::strerror(errno)) == 0;
        opened = m_doc.OpenFromBytes(*m_streamBytes, path);
        m_nLoadedSize = m_streamBytes->size();
    } else {
        return ReportError(path, std::strerror(error)) == 0;
    }
    if (!opened) {
        if (m_prompts.Errors() == errorsBefore)
            ReportError(path, "cannot load the list");
        return false;
    }
    m_bLoaded = true;
    m_prompts.SetSubject("");
    return true;
}

bool CCliList::HoldsItsFile() {
    // A command that changed the list marked it modified: its bytes differ, and are not
    // built whole only to be compared.
    if (m_session.IsModified())
        return false;
    if (m_streamBytes)
        return SerializeList(m_session) == *m_streamBytes;
    // Compared piece by piece as they are made: a long list's bytes are never held whole.
    CFileMatch file(m_strPath);
    return file.Size() == m_nLoadedSize &&
           WriteListBytes(m_session,
                          [&file](std::string_view piece) { return file.Next(piece); }) &&
           file.Whole();
}

bool CCliList::SaveIfChanged() {
    if (!m_bLoaded)
        return false;
    bool existed = m_nLoadedSize != 0;
    if (existed ? HoldsItsFile() : m_session.List().GetCount() == 0 && !m_bStarted)
        return true;
    m_prompts.SetSubject(m_strPath);
    bool saved = m_doc.OnSaveDocument(m_strPath);
    m_prompts.SetSubject("");
    if (saved) {
        m_bStarted = false;
        m_streamBytes.reset();
        int fd = -1;
        if (OpenRegularFile(m_strPath, fd, m_nLoadedSize) == 0)
            close(fd);
    }
    return saved;
}
