#include "files/FileAdder.h"

#include "model/Prompts.h"
#include "model/TesselSession.h"
#include "mp3/TagFile.h"
#include "platform/PathFacts.h"

namespace {

// The path names "." or ".." itself (trailing slashes aside): it stands for a folder
// reached through another one, never for an entry of its own.
bool NamesDots(const std::string& path) {
    size_t end = path.find_last_not_of('/');
    if (end == std::string::npos)
        return false;
    size_t start = path.find_last_of('/', end);
    start = start == std::string::npos ? 0 : start + 1;
    std::string_view last(path.data() + start, end + 1 - start);
    return last == "." || last == "..";
}

}  // namespace

CFileAdder::CFileAdder(CTesselSession& session) : m_session(session) {
    const CRenameList& list = session.List();
    m_paths.Reserve(static_cast<size_t>(list.GetCount()));
    for (int row = 0; row < list.GetCount(); ++row)
        m_paths.Insert(list.GetEntry(row).m_strPath.Get());
}

void CFileAdder::Reserve(size_t paths) {
    m_paths.Reserve(m_paths.GetCount() + paths);
}

bool CFileAdder::Add(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos || NamesDots(path))
        return false;
    // A path already in its one absolute spelling is the entry's path: its slot in the
    // index loads while the file system is asked about the file.
    bool plain = IsPlainAbsolutePath(path);
    size_t hash = plain ? CPathIndex::HashOf(path) : 0;
    if (plain)
        m_paths.Prefetch(hash);
    auto entry = std::make_unique<CHitDoc>();
    if (!entry->FillFromPath(path) || entry->m_strPath.IsEmpty() || entry->IsRoot())
        return false;
    if (m_session.IsMp3Mode() && !IsMp3Extension(entry->m_strExt.Get()))
        return false;
    const std::string& added = entry->m_strPath.Get();
    if (!m_paths.Insert(added, plain ? hash : CPathIndex::HashOf(added)))
        return false;
    // The row takes this very entry over, so the tag read now counts as saved there.
    if (m_session.IsMp3Mode())
        ReadEntryTag(*entry, &m_session.Prompts());
    m_session.AddEntry(std::move(entry));
    m_session.SetModified(true);
    return true;
}

bool AddFile(CTesselSession& session, const std::string& path) {
    return CFileAdder(session).Add(path);
}

int AddCommand(CTesselSession& session) {
    std::vector<std::string> chosen;
    int added = 0;
    if (session.Prompts().ChooseFilesToAdd(chosen)) {
        CFileAdder adder(session);
        adder.Reserve(chosen.size());
        for (const std::string& path : chosen) {
            SPathFacts facts;
            if (path.find('\0') == std::string::npos && QueryPath(path, facts) &&
                !facts.bIsFolder && adder.Add(path))
                ++added;
        }
    }
    session.RecomputeAllMp3();
    return added;
}

int DropFiles(CTesselSession& session, const std::vector<std::string>& paths) {
    CFileAdder adder(session);
    adder.Reserve(paths.size());
    int added = 0;
    for (const std::string& path : paths)
        if (!path.empty() && adder.Add(path))
            ++added;
    session.RecomputeAllMp3();
    return added;
}
