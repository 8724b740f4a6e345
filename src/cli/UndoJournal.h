#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "model/RunObserver.h"

// One completed rename of a run, as the journal keeps it.
struct SJournalRename {
    std::string strFrom;
    std::string strTo;
};

// The record of the renames of the last Go run made on one list, kept in the user's state
// folder ($XDG_STATE_HOME/tessel, else ~/.local/state/tessel) under a name derived from
// the list's absolute path. It is written so that a killed process loses no completed
// rename: the journal is on disk before the first rename, and each rename is in the file
// (stored through a shared mapping, or else written) before it is made. The last record
// may thus name a rename that a killed process never made; Undo tells that from the
// files. A killed run leaves zero bytes after the last record, which end the journal.
class CUndoJournal : public IRunObserver {
public:
    explicit CUndoJournal(const std::string& absoluteListPath);
    ~CUndoJournal() override;
    CUndoJournal(const CUndoJournal&) = delete;
    CUndoJournal& operator=(const CUndoJournal&) = delete;

    // Replaces the list's journal by an empty one and syncs it and its folder.
    bool RunStarting(int rows) override;
    // Appends the record of the rename before it is made; false when that failed.
    bool RenameStarting(int row, const std::string& from, const std::string& to) override;
    // Takes the record of the failed rename back out.
    void RenameFailed(int row) override;
    // Syncs the journal and closes it. The sync of a long run takes a while, so it runs
    // on a thread of its own while the caller goes on (saving the list, say).
    void RunFinished() override;

    const std::string& Path() const { return m_strPath; }
    // The first thing that went wrong, empty when nothing did; waits for the last sync.
    const std::string& Error();

    // Reads the completed renames of the journal, in the order they were made. A record
    // cut short by a crash ends the journal. False, with the problem in error, when there
    // is no journal or it belongs to another list.
    bool Read(std::vector<SJournalRename>& renames, std::string& error) const;
    // Keeps only the given renames (those that could not be put back); removes the
    // journal when none is left.
    bool Replace(const std::vector<SJournalRename>& renames, std::string& error) const;

    // The folder of the journals, from the environment (or the user's home folder in the
    // password database); "" when there is none.
    static std::string Folder();

private:
    bool Create(const std::vector<SJournalRename>& renames, std::string& error) const;
    // Maps the journal with room for capacity bytes; false, unmapped, when it cannot.
    bool Map(size_t capacity);
    void Unmap();
    void SyncAndClose();
    // The record of one rename (size bytes) after the last, through the mapping or with
    // one write.
    bool Append(const std::string& from, const std::string& to, size_t size);
    void Fail(const std::string& what);

    std::string m_strListPath;
    std::string m_strPath;
    std::string m_strError;
    std::string m_strRecord;  // one record to write, reused from rename to rename
    int m_fd = -1;
    char* m_pMap = nullptr;       // the journal's shared mapping while a run goes on
    size_t m_nCapacity = 0;       // its size: the file's, the bytes after m_nLength all zero
    uint64_t m_nLength = 0;       // the bytes of the journal written so far
    uint64_t m_nRecordStart = 0;  // where the record of the last rename begins
    long m_nKillAfter = -1;
    long m_nKillAtRecord = -1;
    long m_nWritten = 0;
    std::thread m_finishing;  // the last sync, while it runs
};
