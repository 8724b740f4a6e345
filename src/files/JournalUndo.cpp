#include "files/JournalUndo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_map>

#include "files/PutBack.h"
#include "files/RunJournal.h"
#include "model/ResultsList.h"
#include "model/RunObserver.h"
#include "model/TesselSession.h"
#include "platform/PathFacts.h"

namespace {

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1);
}

std::string NameOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// The row of the rename: the one it was recorded for, while that row names the file under
// one of the two paths; else (the rows were reordered since) the row that names it under
// its new path, or its old one. -1 when no row does. A rename moves a file within its
// folder only, and both paths are spelled as the list spells its files.
int RowOf(const SRunRename& rename, const CRenameList& list,
          const std::unordered_map<std::string, int>& rowOfPath) {
    if (!IsPlainAbsolutePath(rename.strFrom) || !IsPlainAbsolutePath(rename.strTo) ||
        rename.strFrom == rename.strTo || FolderOf(rename.strFrom) != FolderOf(rename.strTo))
        return -1;
    int row = static_cast<int>(rename.nRow);
    if (row < list.GetCount()) {
        const std::string& path = list.GetEntry(row).m_strPath.Get();
        if (path == rename.strTo || path == rename.strFrom)
            return row;
    }
    auto found = rowOfPath.find(rename.strTo);
    if (found == rowOfPath.end())
        found = rowOfPath.find(rename.strFrom);
    return found == rowOfPath.end() ? -1 : found->second;
}

SUndoProblem Problem(const SRunRename& rename, EPutBack outcome) {
    switch (outcome) {
        case EPutBack::Taken:
            return {rename.strFrom, ResultText(kResultExists)};
        case EPutBack::Missing:
            return {rename.strTo, ResultText(kResultNotFound)};
        default:
            return {rename.strTo, std::strerror(errno)};
    }
}

}  // namespace

SJournalUndoOutcome UndoRecordedRun(CTesselSession& session, const CRunJournal& journal,
                                    IRunObserver* observer) {
    SJournalUndoOutcome outcome;
    SJournalContents contents;
    if (!journal.Read(contents, outcome.strRefusal))
        return outcome;
    CRenameList& list = session.List();
    std::unordered_map<std::string, int> rowOfPath;
    for (int row = 0; row < list.GetCount(); ++row)
        rowOfPath.emplace(list.GetEntry(row).m_strPath.Get(), row);
    std::vector<int> rows;
    for (const SRunRename& rename : contents.renames) {
        rows.push_back(RowOf(rename, list, rowOfPath));
        if (rows.back() < 0) {
            outcome.strRefusal = journal.Path() +
                                 ": the undo journal names files the list never renamed (" +
                                 rename.strFrom + "); nothing was undone";
            return outcome;
        }
    }

    size_t count = contents.renames.size();
    if (observer != nullptr)
        observer->RunStarting(static_cast<int>(count));
    SJournalContents left;
    for (size_t i = count; i-- > 0;) {
        const SRunRename& rename = contents.renames[i];
        if (observer != nullptr)
            observer->RenameStarting(rows[i], rename.strTo, rename.strFrom);
        EPutBack result = PutBack(rename, !contents.bFinished && i + 1 == count);
        if (result != EPutBack::Renamed && result != EPutBack::InPlace) {
            outcome.problems.push_back(Problem(rename, result));
            left.renames.push_back(rename);
            continue;
        }
        CHitDoc& entry = list.GetEntry(rows[i]);
        if (entry.m_strPath.Get() != rename.strTo)
            continue;
        entry.m_strPath.Set(rename.strFrom);
        entry.m_strName.Set(NameOf(rename.strFrom));
        list.RefreshRow(rows[i]);
    }
    if (observer != nullptr)
        observer->RunFinished();
    std::reverse(left.renames.begin(), left.renames.end());
    // What is left was all made: the run it belongs to is over.
    left.bFinished = true;
    if (!journal.Replace(left, outcome.strJournalError) && outcome.strJournalError.empty())
        outcome.strJournalError = "cannot update " + journal.Path();
    return outcome;
}
