// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "files/JournalFormat.h"

class CJournalFolder;

// How the keys of lists that have no file begin.
inline constexpr const char* kUntitledKeyPrefix = "untitled-";

// One run of a list's history as its journal holds it.
struct SRunEntry {
    std::string strName;  // the journal's name in the folder
    SJournalContents contents;
    // The run never reached its end and was not undone since: its process died.
    bool Interrupted() const { return !contents.bFinished && !contents.bUndone; }
};

// The journals of the runs made on one list, oldest first: each run has a journal of its
// own named after the list's key and a number that grows from run to run, so that an
// undo can go back run after run. The oldest go once a list has kKeptRuns of them.
class CRunHistory {
public:
    static constexpr size_t kKeptRuns = 20;

    // listPath: the canonical path of the list, empty for a list that has no file; a
    // journal whose header names another list is no part of the history.
    CRunHistory(const CJournalFolder& folder, std::string key, std::string listPath);

    // The runs on record, oldest first; journals that cannot be read are left out.
    std::vector<SRunEntry> Runs() const;
    // The latest run not undone yet; false when there is none.
    bool LatestNotUndone(SRunEntry& run) const;
    // The name for the journal of the next run. The oldest journals go so that, with the
    // new one, the list keeps at most kKeptRuns.
    std::string NextName() const;

    // The key part of a journal's name, empty when it is no journal's name.
    static std::string KeyOfJournal(const std::string& name);

    // The runs whose process died before they ended: of this list, and, with
    // untitledToo, of every list that had no file. A run whose list's lock is held is
    // going on in another process and is none of them.
    std::vector<SRunEntry> InterruptedRuns(bool untitledToo) const;
    // Removes the journals of runs that ended, of lists that had no file and whose window
    // is gone (their lock is free): nothing can undo them any more. So goes the lock file
    // such a window left when it was killed, once no journal of its list is left.
    void ForgetEndedRunsOfUntitledLists() const;

private:
    // Every name in the folder.
    void VisitNames(const std::function<void(const std::string& name)>& visit) const;
    // The names of the journals whose key is accepted, and their numbers, by number.
    std::vector<std::pair<unsigned long long, std::string>> Journals(
        const std::function<bool(const std::string& key)>& accept) const;
    std::vector<std::pair<unsigned long long, std::string>> Journals() const;

    const CJournalFolder& m_folder;
    std::string m_strKey;
    std::string m_strListPath;
};
