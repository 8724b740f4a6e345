// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "files/AddCollector.h"
#include "model/HitDoc.h"
#include "model/Job.h"

class CTesselSession;

// Adds rows from paths, one path at a time, with every rule of the rename list: a path
// that is not found, the root "/", a path ending in "." or "..", a path already held by a
// row (compared byte for byte, after it is made absolute), and in MP3 mode anything not
// named ".mp3" in any letter case is skipped without a message. An added row empties the
// undo history and marks the document modified. In MP3 mode the file's ID3v1 tag is read
// into the new entry.
//
// The adder knows the paths of the rows when it is made and of every row it adds, so each
// path costs the same however long the list is. It must not outlive a change of the rows
// made by anything else (a run, an undo, a removal, loading a list).
class CFileAdder {
public:
    explicit CFileAdder(CTesselSession& session);

    // Makes room for that many more paths (optional; saves rehashing).
    void Reserve(size_t paths);
    // True when the path became a new row at the end of the list.
    bool Add(const std::string& path);
    // Each path in order, as Add (or skipping folders too, when filesOnly), with progress;
    // the files are probed on another thread meanwhile and the job takes each chunk in on
    // the caller's thread. A cancel keeps the rows added so far. The job makes its own
    // adder of the rows when it is made, and tells done how many rows it added.
    static std::unique_ptr<IJob> AddAllJob(CTesselSession& session, std::vector<std::string> paths,
                                           bool filesOnly, std::function<void(int added)> done);
    // The files found by CollectFilesToAdd, as AddAllJob adds paths with filesOnly: no
    // file is asked about again (in MP3 mode its tag is read).
    static std::unique_ptr<IJob> AddAllJob(CTesselSession& session, CFoundFiles files,
                                           std::function<void(int added)> done);

private:
    // The entry a path would add, with its tag read in MP3 mode, or nullptr when the
    // adding rules refuse it before the list is consulted.
    static std::unique_ptr<CHitDoc> MakeEntry(const std::string& path, bool mp3Mode);
    using Make = std::function<std::unique_ptr<CHitDoc>(size_t)>;
    // Adds the entries make(i) gives for i in [0, count), with progress and cancel, make
    // running on another thread meanwhile; when waits (make waits on the file system),
    // in parallel parts.
    static std::unique_ptr<IJob> AddEachJob(CTesselSession& session, size_t count, bool filesOnly,
                                            bool waits, Make make, std::function<void(int)> done);
    bool Take(std::unique_ptr<CHitDoc> entry);

    CTesselSession& m_session;
    std::unordered_set<std::string_view> m_paths;  // of the rows' entries, which hold them
};

// The Add command: asks for files (IPrompts::ChooseFilesToAdd) in its first step and adds
// each chosen path that is found and is not a folder; a folder is never added by this
// command. Recomputes the all-MP3 flag and tells done the number of rows added (0 also
// when cancelled).
std::unique_ptr<IJob> MakeAddJob(CTesselSession& session, std::function<void(int added)> done = {});
// The Add command with the files chosen (full paths, in the dialog's order).
std::unique_ptr<IJob> MakeAddJob(CTesselSession& session, std::vector<std::string> paths,
                                 std::function<void(int added)> done = {});
// The Add command with the files that CollectFilesToAdd found.
std::unique_ptr<IJob> MakeAddJob(CTesselSession& session, CFoundFiles files,
                                 std::function<void(int added)> done = {});

// Dropped files and folders, in the order given: each non-empty path goes through the
// adding rules, so a dropped folder becomes one row of its own in normal mode (nothing
// inside it is added). Recomputes the all-MP3 flag and tells done the number of rows added.
std::unique_ptr<IJob> MakeDropJob(CTesselSession& session, std::vector<std::string> paths,
                                  std::function<void(int added)> done = {});

// The jobs above run to their end (RunToEnd); each returns the number of rows added.
int AddCommand(CTesselSession& session);
int AddCommand(CTesselSession& session, const std::vector<std::string>& paths);
int AddCommand(CTesselSession& session, CFoundFiles files);
int DropFiles(CTesselSession& session, const std::vector<std::string>& paths);
