// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "files/JournalFormat.h"
#include "model/RunObserver.h"
#include "model/TagWriteObserver.h"

class CJournalFolder;

// The record of one Go run, in the journal folder under a name of the list's history (see
// CRunHistory). As the run's observer it writes the journal so that a killed process loses
// no rename: the journal is in its folder before the first rename, and each rename's
// record is written before the rename is made (the records of the next few hundred renames
// in one write), and marked as never made when the rename fails. Records the run did not
// reach are cut off when it ends, and a run that renamed nothing leaves no journal behind;
// after a kill, undo tells them by the file's identity, which each record holds. The
// journal is synced to disk every quarter second, and once more when the run ends, so that
// a power cut loses at most the records of the last moments of a run.
//
// Only the open folder's descriptor is used: the journal is never reached through a
// link, and the one being written is never reopened by name.
//
// A run that writes tags keeps its journal the same way: as the tag writes' observer it
// records each file's old bytes before the write, from whichever thread writes.
class CRunJournal : public IRunObserver, public ITagWriteObserver {
public:
    // listPath: the canonical path of the list, empty for a list that has no file.
    CRunJournal(const CJournalFolder& folder, std::string name, std::string listPath);
    ~CRunJournal() override;
    CRunJournal(const CRunJournal&) = delete;
    CRunJournal& operator=(const CRunJournal&) = delete;

    // Writes the journal's header in place of any journal of that name; it reaches the
    // disk with the first sync.
    bool RunStarting(int rows) override;
    bool RenamesAhead(const std::vector<SComingRename>& renames) override;
    bool RenameStarting(const SComingRename& rename) override;
    void RenameFailed(int step) override;
    // Records the old bytes of a tag before it is written; safe from several threads.
    bool TagWriteStarting(const STagWrite& write) override;
    // Records that the run finished, syncs the journal and closes it; removes it when the
    // run renamed no file.
    void RunFinished() override;
    const std::string& Name() const { return m_strName; }

    // The first thing that went wrong while writing, empty when nothing did.
    const std::string& Error() const { return m_strError; }
    // The journal's path, for messages.
    std::string Path() const;

    // Reads the journal. False, with the problem in error, when there is none, it is not
    // a regular file of this user's (a link, say), or it is damaged.
    bool Read(SJournalContents& contents, std::string& error) const;
    // Keeps only these contents: writes them in place of the journal, or removes the
    // journal when they hold no rename.
    bool Replace(const SJournalContents& contents, std::string& error) const;

private:
    // Writes bytes as the new journal and returns its descriptor (-1 on failure); durable:
    // on disk, with its name in the folder, before it takes the old one's place.
    int WriteWhole(const std::string& bytes, std::string& error, bool durable) const;
    bool Append(const std::string& records);
    // Adds the record of one rename to m_strRecord, and its step and start to m_written;
    // a file not identified yet is examined now.
    void AddRecord(const SComingRename& rename);
    // Writes m_strRecord, the records of m_written; false (the journal left as it was)
    // when it could not.
    bool WriteRecords();
    // Syncs the journal when the last sync is a quarter second old.
    void SyncIfDue();
    void Sync();
    void Fail(const std::string& what);

    const CJournalFolder& m_folder;
    std::string m_strListPath;
    std::string m_strName;
    std::string m_strError;
    std::string m_strRecord;  // the records to write, reused from write to write
    SRunRename m_rename;      // the rename being recorded, reused likewise
    struct SWritten {
        int nStep;
        uint64_t nStart;  // where the step's record begins in the journal
    };
    // The records written whose rename has not started yet, and the last one that did.
    std::deque<SWritten> m_written;
    SWritten m_started{-1, 0};
    int m_fd = -1;
    uint64_t m_nLength = 0;      // the bytes of the journal written so far
    uint64_t m_nStartedEnd = 0;  // where the record of the last rename started ends
    size_t m_nRenames = 0;       // records of renames started and not failed
    std::chrono::steady_clock::time_point m_lastSync;
    bool m_bOnDisk = false;  // the journal's name in its folder has been synced
    std::mutex m_tagMutex;   // tag writes are recorded from several threads
};
