#include "files/FileAdder.h"

#include "model/Prompts.h"
#include "model/TesselSession.h"
#include "mp3/TagFile.h"
#include "platform/ParallelParts.h"
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

constexpr size_t kPathsPerPart = 2048;
constexpr size_t kLookAhead = 8;

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

std::unique_ptr<CHitDoc> CFileAdder::MakeEntry(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos || NamesDots(path))
        return nullptr;
    auto entry = std::make_unique<CHitDoc>();
    if (!entry->FillFromPath(path) || entry->m_strPath.IsEmpty() || entry->IsRoot())
        return nullptr;
    return entry;
}

bool CFileAdder::Take(std::unique_ptr<CHitDoc> entry, size_t hash) {
    if (m_session.IsMp3Mode() && !IsMp3Extension(entry->m_strExt.Get()))
        return false;
    if (!m_paths.Insert(entry->m_strPath.Get(), hash))
        return false;
    // The row takes this very entry over, so the tag read now counts as saved there.
    if (m_session.IsMp3Mode())
        ReadEntryTag(*entry, &m_session.Prompts());
    m_session.AddEntry(std::move(entry));
    m_session.SetModified(true);
    return true;
}

bool CFileAdder::Add(const std::string& path) {
    std::unique_ptr<CHitDoc> entry = MakeEntry(path);
    if (!entry)
        return false;
    size_t hash = CPathIndex::HashOf(entry->m_strPath.Get());
    return Take(std::move(entry), hash);
}

int CFileAdder::AddAll(const std::vector<std::string>& paths, bool filesOnly) {
    Reserve(paths.size());
    // Probing the files is most of the work and needs nothing of the list, so it runs in
    // parallel; the list then takes the entries in order, one at a time.
    std::vector<std::unique_ptr<CHitDoc>> entries(paths.size());
    std::vector<size_t> hashes(paths.size());
    ForEachPart(paths.size(), kPathsPerPart, [&](size_t first, size_t last) {
        for (size_t i = first; i < last; ++i) {
            entries[i] = MakeEntry(paths[i]);
            if (entries[i])
                hashes[i] = CPathIndex::HashOf(entries[i]->m_strPath.Get());
        }
    });
    int added = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        // The index slot of a path a little ahead loads while this one is taken.
        if (i + kLookAhead < entries.size())
            m_paths.Prefetch(hashes[i + kLookAhead]);
        std::unique_ptr<CHitDoc>& entry = entries[i];
        if (entry && !(filesOnly && entry->IsFolder()) && Take(std::move(entry), hashes[i]))
            ++added;
    }
    return added;
}

bool AddFile(CTesselSession& session, const std::string& path) {
    return CFileAdder(session).Add(path);
}

int AddCommand(CTesselSession& session) {
    std::vector<std::string> chosen;
    if (!session.Prompts().ChooseFilesToAdd(chosen))
        chosen.clear();
    return AddCommand(session, chosen);
}

int AddCommand(CTesselSession& session, const std::vector<std::string>& paths) {
    int added = CFileAdder(session).AddAll(paths, true);
    session.RecomputeAllMp3();
    return added;
}

int DropFiles(CTesselSession& session, const std::vector<std::string>& paths) {
    int added = CFileAdder(session).AddAll(paths, false);
    session.RecomputeAllMp3();
    return added;
}
