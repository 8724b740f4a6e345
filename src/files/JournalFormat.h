// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/TagWriteObserver.h"

// One rename of a run as its journal keeps it: the row, the two paths and the identity
// (device and inode) of the file renamed, which tells at undo time whether a name still
// holds that file. Device and inode are 0 when the file could not be examined. A rename
// may be an exchange: the file at strFrom and the file at strTo (the other row's,
// nOtherInode on the same device) traded names in one step.
struct SRunRename {
    uint32_t nRow = 0;
    std::string strFrom;
    std::string strTo;
    uint64_t nDevice = 0;
    uint64_t nInode = 0;
    bool bExchange = false;
    uint32_t nOtherRow = 0;
    uint64_t nOtherInode = 0;
};

// What a journal holds: the list it belongs to (its canonical path, empty for a list
// that had no file), when the run started, the renames in the order they were made,
// whether the run finished and whether it was undone since. In a run that did not finish,
// the renames recorded last may never have been made.
struct SJournalContents {
    std::string strListPath;
    int64_t nStarted = 0;  // seconds since the epoch
    std::vector<SRunRename> renames;
    std::vector<STagWrite> tags;  // the tag writes of a run that wrote tags
    bool bFinished = false;
    bool bUndone = false;

    // The records of renames and tag writes.
    size_t Records() const { return renames.size() + tags.size(); }
    // The files the run changed: a file moved through a temporary name has two records,
    // an exchange moves two files.
    size_t Files() const;
};

// The bytes of a journal: a header naming the list and the run's start, then one record
// per rename, then a record saying the run finished, and one saying it was undone. Every record
// carries a checksum, so a record that a crash cut short or left as garbage is recognised and ends
// the journal.
std::string JournalHeader(const std::string& listPath, int64_t started);
// The record of a rename, or of an exchange (a record kind of its own, which journals
// written before exchanges existed do not hold).
void AppendRenameRecord(std::string& out, const SRunRename& rename);
// The record of a tag write: the file and what it held before. A write that changed the
// ID3v2 tag too has a record kind of its own, holding the old tag's bytes, which journals
// written before such writes do not hold.
void AppendTagRecord(std::string& out, const STagWrite& write);
// Written over the first byte of a rename record, it makes the record one of a rename
// that was never made: one byte written in place, so no crash can leave half of it.
inline constexpr char kUnmadeRecordMark = 'X';
void AppendFinishedRecord(std::string& out, size_t renames);
// The whole journal of the contents.
std::string JournalBytes(const SJournalContents& contents);

// Reads the journal's bytes; false when they do not begin with a journal's header.
bool ParseJournal(const std::string& bytes, SJournalContents& contents);
