// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/PathFacts.h"

// A rename a run is about to make: its step (the renames of a run are numbered in the
// order they are made), the row, its two paths and the file as the preview found it (a
// zero identity when it is not known). An exchange trades the names of two files at once:
// the file at to is the other row's, and goes to from.
struct SComingRename {
    int nStep = 0;
    int nRow = 0;
    std::string_view from;
    std::string_view to;
    SFileId file;
    bool bExchange = false;
    int nOtherRow = -1;
    SFileId otherFile;
};

// Hears a rename run as it happens, one file at a time, so that a record of the run can be
// kept outside the process (the run journal survives a killed run this way). The run
// itself stays in the core; an observer only listens, with one exception: it may refuse to
// let the run start.
//
// RunStarting and RunFinished are called on the thread that runs Go. The renames are
// made on a thread of their own, and RenameStarting and RenameFailed are called there:
// one call at a time, in the order of the steps, all of them between RunStarting and
// RunFinished.
// RenamesAhead comes before a stretch of RenameStarting calls and names the renames that
// follow, so that a record of them can be written in one go; whatever the run does not
// reach after it (a rename failed, the run was cancelled) was announced but never made.
class IRunObserver {
public:
    virtual ~IRunObserver() = default;
    // The preview was confirmed and no file has been renamed yet. False stops the run
    // here, as a Cancel of the preview would: nothing is renamed and nothing recorded.
    virtual bool RunStarting(int rows) = 0;
    // The next renames, in the order they will be tried. False means they could not be
    // recorded: the first of them is not tried and counts as failed.
    virtual bool RenamesAhead(const std::vector<SComingRename>& /*renames*/) { return true; }
    // The file of a row is about to get its new name: called before each rename, so that a
    // record made here covers the rename even when the process dies right after it. False
    // means the rename could not be recorded: it is not tried and counts as failed.
    virtual bool RenameStarting(const SComingRename& rename) = 0;
    // The rename of the step just announced failed; the file keeps its old name.
    virtual void RenameFailed(int step) = 0;
    // Every rename of the run has been tried (or the run was stopped after a failure).
    virtual void RunFinished() = 0;
};
