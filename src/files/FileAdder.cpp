// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileAdder.h"

#include "model/ChunkedJob.h"
#include "model/Prompts.h"
#include "model/StepJob.h"
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

std::unique_ptr<IJob> CFileAdder::AddAllJob(CTesselSession& session, std::vector<std::string> paths,
                                            bool filesOnly, std::function<void(int)> done) {
    bool mp3Mode = session.IsMp3Mode();
    size_t count = paths.size();
    auto owned = std::make_shared<const std::vector<std::string>>(std::move(paths));
    return AddEachJob(
        session, count, filesOnly, true,
        [owned, mp3Mode](size_t i) { return MakeEntry((*owned)[i], mp3Mode); }, std::move(done));
}

std::unique_ptr<IJob> CFileAdder::AddAllJob(CTesselSession& session, CFoundFiles files,
                                            std::function<void(int)> done) {
    bool mp3Mode = session.IsMp3Mode();
    size_t count = files.size();
    auto owned = std::make_shared<CFoundFiles>(std::move(files));
    return AddEachJob(
        session, count, true, mp3Mode,
        [owned, mp3Mode](size_t i) { return Completed(std::move((*owned)[i]), mp3Mode); },
        std::move(done));
}

std::unique_ptr<IJob> CFileAdder::AddEachJob(CTesselSession& session, size_t count, bool filesOnly,
                                             bool waits, Make make, std::function<void(int)> done) {
    auto adder = std::make_shared<CFileAdder>(session);
    adder->Reserve(count);
    // Making the entries needs nothing of the list, so it runs on a thread of its own;
    // the list takes the entries of each chunk made in order on the caller's thread. A
    // cancel keeps what was added.
    auto entries = std::make_shared<std::vector<std::unique_ptr<CHitDoc>>>(count);
    auto probe = [entries, make = std::move(make), waits](size_t chunkFirst, size_t chunkLast) {
        auto makePart = [&](size_t first, size_t last) {
            for (size_t i = first; i < last; ++i)
                (*entries)[i] = make(i);
        };
        if (!waits)
            return makePart(chunkFirst, chunkLast);
        ForEachPart(chunkLast - chunkFirst, [&](size_t, size_t first, size_t last) {
            makePart(chunkFirst + first, chunkFirst + last);
        });
    };
    IPrompts& prompts = session.Prompts();
    auto added = std::make_shared<int>(0);
    auto take = [adder, entries, added, filesOnly, &prompts](size_t first, size_t last) {
        const std::unique_ptr<CHitDoc>& reached = (*entries)[first];
        if (reached)
            prompts.SetProgressFile(static_cast<int>(first), reached->m_strPath.Get());
        else
            prompts.SetProgress(static_cast<int>(first));
        for (size_t i = first; i < last; ++i) {
            std::unique_ptr<CHitDoc>& entry = (*entries)[i];
            if (entry && !(filesOnly && entry->IsFolder()) && adder->Take(std::move(entry)))
                ++*added;
        }
    };
    auto end = [added, &prompts, done = std::move(done)](size_t) {
        prompts.EndProgress();
        if (done)
            done(*added);
    };
    prompts.BeginProgress(static_cast<int>(count));
    return std::make_unique<CChunkedJob>(count, kPathsPerChunk, std::move(probe), std::move(take),
                                         std::move(end));
}

namespace {

using AddJobMaker = std::function<std::unique_ptr<IJob>(std::function<void(int)> counted)>;

// The command that adds with the job addJob makes as the command starts, then recomputes
// the all-MP3 flag and tells done the number of rows added.
std::unique_ptr<IJob> AddingCommand(CTesselSession& session, AddJobMaker addJob,
                                    std::function<void(int)> done) {
    auto added = std::make_shared<int>(0);
    auto job = std::make_unique<CStepJob>();
    job->Then([addJob = std::move(addJob), added] {
           return addJob([added](int count) { *added = count; });
       })
        .Then([&session, added, done = std::move(done)]() -> std::unique_ptr<IJob> {
            session.RecomputeAllMp3();
            if (done)
                done(*added);
            return nullptr;
        });
    return job;
}

int RunCounting(CTesselSession& session, const AddJobMaker& make) {
    int added = 0;
    RunToEnd(*make([&added](int count) { added = count; }), session.Prompts());
    return added;
}

}  // namespace

std::unique_ptr<IJob> MakeAddJob(CTesselSession& session, std::function<void(int)> done) {
    auto job = std::make_unique<CStepJob>();
    job->Then([&session, done = std::move(done)]() mutable {
        std::vector<std::string> chosen;
        if (!session.Prompts().ChooseFilesToAdd(chosen))
            chosen.clear();
        return MakeAddJob(session, std::move(chosen), std::move(done));
    });
    return job;
}

namespace {

// Adds the paths, and with filesOnly only the files among them (a drop takes folders too).
std::unique_ptr<IJob> AddPathsJob(CTesselSession& session, std::vector<std::string> paths,
                                  bool filesOnly, std::function<void(int)> done) {
    return AddingCommand(
        session,
        [&session, paths = std::move(paths), filesOnly](std::function<void(int)> counted) mutable {
            return CFileAdder::AddAllJob(session, std::move(paths), filesOnly, std::move(counted));
        },
        std::move(done));
}

}  // namespace

std::unique_ptr<IJob> MakeAddJob(CTesselSession& session, std::vector<std::string> paths,
                                 std::function<void(int)> done) {
    return AddPathsJob(session, std::move(paths), true, std::move(done));
}

std::unique_ptr<IJob> MakeAddJob(CTesselSession& session, CFoundFiles files,
                                 std::function<void(int)> done) {
    auto owned = std::make_shared<CFoundFiles>(std::move(files));
    return AddingCommand(
        session,
        [&session, owned](std::function<void(int)> counted) {
            return CFileAdder::AddAllJob(session, std::move(*owned), std::move(counted));
        },
        std::move(done));
}

std::unique_ptr<IJob> MakeDropJob(CTesselSession& session, std::vector<std::string> paths,
                                  std::function<void(int)> done) {
    return AddPathsJob(session, std::move(paths), false, std::move(done));
}

int AddCommand(CTesselSession& session) {
    return RunCounting(session, [&](auto counted) { return MakeAddJob(session, counted); });
}

int AddCommand(CTesselSession& session, const std::vector<std::string>& paths) {
    return RunCounting(session, [&](auto counted) { return MakeAddJob(session, paths, counted); });
}

int AddCommand(CTesselSession& session, CFoundFiles files) {
    return RunCounting(
        session, [&](auto counted) { return MakeAddJob(session, std::move(files), counted); });
}

int DropFiles(CTesselSession& session, const std::vector<std::string>& paths) {
    return RunCounting(session, [&](auto counted) { return MakeDropJob(session, paths, counted); });
}
