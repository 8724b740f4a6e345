#pragma once

#include <chrono>
#include <string>

#include "files/JournalFormat.h"
#include "model/RunObserver.h"

class CJournalFolder;

// The record of the last Go run made on one list, in the journal folder under a name
// derived from the list's absolute path. As the run's observer it writes the journal so
// that a killed process loses no rename: the journal is on disk before the first rename,
// and each rename's record is written (one write) before the rename is made, and taken
// back when the rename fails. Records are synced to disk at least every quarter second
// or every thousand renames, and once more when the run ends, so that a power cut loses
// at most the records of the last moments of a run.
//
// Only the open folder's descriptor is used: the journal is never reached through a
// link, and the one being written is never reopened by name.
class CRunJournal : public IRunObserver {
public:
    CRunJournal(const CJournalFolder& folder, const std::string& absoluteListPath);
    ~CRunJournal() override;
    CRunJournal(const CRunJournal&) = delete;
    CRunJournal& operator=(const CRunJournal&) = delete;

    // The name part that journals and locks of this list share.
    static std::string KeyOf(const std::string& absoluteListPath);

    // Replaces the list's journal by an empty one, on disk with its folder.
    bool RunStarting(int rows) override;
    bool RenameStarting(int row, const std::string& from, const std::string& to) override;
    void RenameFailed(int row) override;
    // Records that the run finished, syncs the journal and closes it.
    void RunFinished() override;

    // The first thing that went wrong while writing, empty when nothing did.
    const std::string& Error() const { return m_strError; }
    // The journal's path, for messages.
    std::string Path() const;

    // Reads the journal. False, with the problem in error, when there is none, it is not
    // a regular file of this user's (a link, say), or it belongs to another list.
    bool Read(SJournalContents& contents, std::string& error) const;
    // Keeps only these contents: writes them in place of the journal, or removes the
    // journal when they hold no rename.
    bool Replace(const SJournalContents& contents, std::string& error) const;

private:
    // Writes bytes as the new journal and returns its descriptor (-1 on failure).
    int WriteWhole(const std::string& bytes, std::string& error) const;
    bool Append(const std::string& record);
    void SyncIfDue();
    void Fail(const std::string& what);

    const CJournalFolder& m_folder;
    std::string m_strListPath;
    std::string m_strName;
    std::string m_strError;
    std::string m_strRecord;  // one record to write, reused from rename to rename
    int m_fd = -1;
    uint64_t m_nLength = 0;       // the bytes of the journal written so far
    uint64_t m_nRecordStart = 0;  // where the record of the last rename begins
    size_t m_nRenames = 0;
    size_t m_nUnsynced = 0;
    std::chrono::steady_clock::time_point m_lastSync;
};
