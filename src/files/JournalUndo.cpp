// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/JournalUndo.h"

#include <cerrno>
#include <cstring>
#include <unordered_map>

#include "model/ChunkedJob.h"
#include "model/Prompts.h"
#include "model/ResultsList.h"
#include "model/RunObserver.h"
#include "model/TesselSession.h"
#include "platform/PathFacts.h"

namespace {

// Renames put back between two looks at the caller's thread: small enough for a prompt
// progress bar and Cancel, large enough that handing them over costs nothing.
constexpr size_t kRenamesPerChunk = 256;

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1);
}

std::string NameOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

SUndoProblem Problem(const SRunRename& rename, EPutBack outcome, int error) {
    switch (outcome) {
        case EPutBack::Taken:
            return {rename.strFrom, ResultText(kResultExists)};
        case EPutBack::Missing:
            return {rename.strTo, ResultText(kResultNotFound)};
        default:
            return {rename.strTo, std::strerror(error)};
    }
}

SUndoProblem Problem(const STagWrite& write, EPutBack outcome, int error) {
    switch (outcome) {
        case EPutBack::Missing:
            return {write.strPath, ResultText(kResultNotFound)};
        case EPutBack::Changed:
            return {write.strPath, "the file changed since its tag was written; left as it is"};
        default:
            return {write.strPath, std::strerror(error)};
    }
}

}  // namespace

std::string CheckJournalRenames(const SJournalContents& contents) {
    for (const STagWrite& write : contents.tags)
        if (!IsPlainAbsolutePath(write.strPath) || write.nInode == 0)
            return "the undo journal holds a tag write that was never a run's (" + write.strPath +
                   "); nothing was undone";
    for (const SRunRename& rename : contents.renames)
        if (!IsPlainAbsolutePath(rename.strFrom) || !IsPlainAbsolutePath(rename.strTo) ||
            rename.strFrom == rename.strTo || FolderOf(rename.strFrom) != FolderOf(rename.strTo) ||
            rename.nInode == 0 || (rename.bExchange && rename.nOtherInode == 0))
            return "the undo journal holds a rename that was never a run's (" + rename.strFrom +
                   "); nothing was undone";
    return "";
}

CPutBackJob::CPutBackJob(CTesselSession& session, SJournalContents contents, IRunObserver* observer)
    : m_session(session),
      m_contents(std::move(contents)),
      m_pObserver(observer),
      m_outcomes(Count(), EPutBack::Failed),
      m_errors(Count(), 0),
      m_left(Count(), true),
      m_failed(Count(), false) {
    size_t count = Count();
    CRenameList& list = session.List();
    m_rowOfPath.reserve(static_cast<size_t>(list.GetCount()));
    for (int row = 0; row < list.GetCount(); ++row)
        m_rowOfPath.emplace(list.GetEntry(row).m_strPath.Get(), row);
    session.Prompts().BeginProgress(static_cast<int>(count));
    if (m_pObserver != nullptr)
        m_pObserver->RunStarting(static_cast<int>(count));
    m_pJob = std::make_unique<CChunkedJob>(
        count, kRenamesPerChunk, [this](size_t first, size_t last) { Work(first, last); },
        [this](size_t first, size_t last) { TakeIn(first, last); },
        [this](size_t taken) { m_nTaken = taken; });
}

CPutBackJob::~CPutBackJob() = default;

size_t CPutBackJob::Count() const {
    return m_contents.Records();
}

// The tag writes go back from the last to the first, as the renames do; a journal holds
// one or the other.
const STagWrite* CPutBackJob::TagAt(size_t k) const {
    size_t tags = m_contents.tags.size();
    return k < tags ? &m_contents.tags[tags - 1 - k] : nullptr;
}

const SRunRename& CPutBackJob::RenameAt(size_t k) const {
    return m_contents.renames[Count() - 1 - k];
}

void CPutBackJob::Work(size_t first, size_t last) {
    for (size_t k = first; k < last; ++k) {
        if (const STagWrite* write = TagAt(k)) {
            m_outcomes[k] = RestoreTag(*write);
            m_errors[k] = errno;
            continue;
        }
        const SRunRename& rename = RenameAt(k);
        if (m_pObserver != nullptr) {
            SComingRename back;
            back.nStep = static_cast<int>(k);
            back.nRow = static_cast<int>(rename.nRow);
            back.from = rename.strTo;
            back.to = rename.strFrom;
            back.bExchange = rename.bExchange;
            back.nOtherRow = static_cast<int>(rename.nOtherRow);
            m_pObserver->RenameStarting(back);
        }
        m_outcomes[k] = ::PutBack(rename);
        m_errors[k] = errno;
    }
}

void CPutBackJob::TakeIn(size_t first, size_t last) {
    for (size_t k = first; k < last; ++k) {
        EPutBack outcome = m_outcomes[k];
        bool back = outcome == EPutBack::Renamed || outcome == EPutBack::InPlace;
        if (const STagWrite* write = TagAt(k)) {
            if (!back)
                m_problems.push_back(Problem(*write, outcome, m_errors[k]));
            m_left[Count() - 1 - k] = !back;
            m_failed[Count() - 1 - k] = !back;
            continue;
        }
        const SRunRename& rename = RenameAt(k);
        if (!back) {
            m_problems.push_back(Problem(rename, outcome, m_errors[k]));
            m_failed[Count() - 1 - k] = true;
            continue;
        }
        m_left[Count() - 1 - k] = false;
        if (outcome == EPutBack::InPlace && rename.bExchange)
            continue;
        // The row naming the file's new path names its old one again; after an exchange,
        // the row naming the other file's too.
        int row = TakeRowOf(rename.strTo);
        int other = rename.bExchange ? TakeRowOf(rename.strFrom) : -1;
        MoveRow(row, rename.strFrom);
        MoveRow(other, rename.strTo);
    }
    if (last > first && TagAt(last - 1) == nullptr)
        m_session.Prompts().SetProgressFile(static_cast<int>(last), RenameAt(last - 1).strFrom);
    else
        m_session.Prompts().SetProgress(static_cast<int>(last));
}

int CPutBackJob::TakeRowOf(const std::string& path) {
    auto found = m_rowOfPath.find(path);
    if (found == m_rowOfPath.end())
        return -1;
    int row = found->second;
    m_rowOfPath.erase(found);
    return row;
}

void CPutBackJob::MoveRow(int row, const std::string& path) {
    if (row < 0)
        return;
    CRenameList& list = m_session.List();
    CHitDoc& entry = list.GetEntry(row);
    entry.m_strPath.Set(path);
    entry.m_strName.Set(NameOf(path));
    list.RefreshRow(row);
    m_rowOfPath[path] = row;
}

bool CPutBackJob::Poll(std::chrono::milliseconds wait) {
    if (!m_pJob->Poll(wait))
        return false;
    if (!m_bEnded) {
        m_bEnded = true;
        if (m_pObserver != nullptr)
            m_pObserver->RunFinished();
        m_session.Prompts().EndProgress();
    }
    return true;
}

void CPutBackJob::Cancel() {
    m_pJob->Cancel();
}

SJournalContents CPutBackJob::Picked(const std::vector<bool>& marked) const {
    SJournalContents picked = m_contents;
    picked.renames.clear();
    picked.tags.clear();
    size_t tags = m_contents.tags.size();
    for (size_t i = 0; i < tags; ++i)
        if (marked[m_contents.renames.size() + i])
            picked.tags.push_back(m_contents.tags[i]);
    for (size_t i = 0; i < m_contents.renames.size(); ++i)
        if (marked[i])
            picked.renames.push_back(m_contents.renames[i]);
    // The records picked were all made: the run they belong to is over.
    picked.bFinished = true;
    return picked;
}
