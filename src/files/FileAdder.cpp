#include "files/FileAdder.h"

#include "model/ChunkedJob.h"
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

constexpr size_t kPathsPerChunk = 8192;

}  // namespace

CFileAdder::CFileAdder(CTesselSession& session) : m_session(session) {
    const CRenameList& list = session.List();
    m_paths.reserve(static_cast<size_t>(list.GetCount()));
    for (int row = 0; row < list.GetCount(); ++row)
        m_paths.insert(list.GetEntry(row).m_strPath.Get());
}

void CFileAdder::Reserve(size_t paths) {
    m_paths.reserve(m_paths.size() + paths);
    CRenameList& list = m_session.List();
    list.Reserve(static_cast<size_t>(list.GetCount()) + paths);
}

namespace {

// The entry filled, with its tag read in MP3 mode; nullptr for the root.
std::unique_ptr<CHitDoc> Completed(std::unique_ptr<CHitDoc> entry, bool mp3Mode) {
    if (entry->m_strPath.IsEmpty() || entry->IsRoot())
        return nullptr;
    // The row takes this very entry over, so the tag read now counts as saved there.
    if (mp3Mode && IsMp3Extension(entry->m_strExt.Get()))
        ReadEntryTag(*entry);
    return entry;
}

}  // namespace

std::unique_ptr<CHitDoc> CFileAdder::MakeEntry(const std::string& path, bool mp3Mode) {
    if (path.empty() || path.find('\0') != std::string::npos || NamesDots(path))
        return nullptr;
    auto entry = std::make_unique<CHitDoc>();
    if (!entry->FillFromPath(path))
        return nullptr;
    return Completed(std::move(entry), mp3Mode);
}

bool CFileAdder::Take(std::unique_ptr<CHitDoc> entry) {
    if (m_session.IsMp3Mode() && !IsMp3Extension(entry->m_strExt.Get()))
        return false;
    // The view stays good: the list keeps the entry where it is, path unchanged.
    if (!m_paths.insert(entry->m_strPath.Get()).second)
        return false;
    m_session.AddEntry(std::move(entry));
    m_session.SetModified(true);
    return true;
}

bool CFileAdder::Add(const std::string& path) {
    std::unique_ptr<CHitDoc> entry = MakeEntry(path, m_session.IsMp3Mode());
    if (!entry)
        return false;
    return Take(std::move(entry));
}

int CFileAdder::AddAll(const std::vector<std::string>& paths, bool filesOnly) {
    bool mp3Mode = m_session.IsMp3Mode();
    return AddEach(paths.size(), filesOnly, true,
                   [&](size_t i) { return MakeEntry(paths[i], mp3Mode); });
}

int CFileAdder::AddAll(CFoundFiles files) {
    bool mp3Mode = m_session.IsMp3Mode();
    return AddEach(files.size(), true, mp3Mode,
                   [&](size_t i) { return Completed(std::move(files[i]), mp3Mode); });
}

int CFileAdder::AddEach(size_t count, bool filesOnly, bool waits,
                        const std::function<std::unique_ptr<CHitDoc>(size_t)>& make) {
    Reserve(count);
    // Making the entries needs nothing of the list, so it runs on a thread of its own;
    // the list takes the entries of each chunk made in order on this thread. A cancel
    // keeps what was added.
    std::vector<std::unique_ptr<CHitDoc>> entries(count);
    auto makePart = [&](size_t first, size_t last) {
        for (size_t i = first; i < last; ++i)
            entries[i] = make(i);
    };
    auto probe = [&](size_t chunkFirst, size_t chunkLast) {
        if (!waits)
            return makePart(chunkFirst, chunkLast);
        ForEachPart(chunkLast - chunkFirst, [&](size_t, size_t first, size_t last) {
            makePart(chunkFirst + first, chunkFirst + last);
        });
    };
    IPrompts& prompts = m_session.Prompts();
    int added = 0;
    auto take = [&](size_t first, size_t last) {
        prompts.SetProgress(static_cast<int>(first));
        for (size_t i = first; i < last; ++i) {
            std::unique_ptr<CHitDoc>& entry = entries[i];
            if (entry && !(filesOnly && entry->IsFolder()) && Take(std::move(entry)))
                ++added;
        }
    };
    prompts.BeginProgress(static_cast<int>(count));
    CChunkedJob job(count, kPathsPerChunk, probe, take, [](size_t) {});
    RunToEnd(job, prompts);
    prompts.EndProgress();
    return added;
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

int AddCommand(CTesselSession& session, CFoundFiles files) {
    int added = CFileAdder(session).AddAll(std::move(files));
    session.RecomputeAllMp3();
    return added;
}

int DropFiles(CTesselSession& session, const std::vector<std::string>& paths) {
    int added = CFileAdder(session).AddAll(paths, false);
    session.RecomputeAllMp3();
    return added;
}
