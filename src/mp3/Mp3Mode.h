// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

#include "model/Job.h"
#include "model/Prompts.h"

class CRenameList;
class CResultsList;
class CTesselSession;

// The commands of MP3 mode. Dialogs, questions and progress go through the session's
// prompts; the lock flags are kept in the profile's "Lock" section.

// Toggle Mode is open in MP3 mode, and in normal mode when every row is an MP3 file.
bool CanToggleMode(const CTesselSession& session);
// Into MP3 mode: every existing file's tag is read into its row (a file without a tag
// keeps the row's tag fields), with progress; a cancel stays in normal mode. Back to normal mode:
// changed tags are offered for saving first (SaveID3); Cancel keeps MP3 mode. Either way the undo
// history is emptied. Does nothing when CanToggleMode is false. The tags are read, and
// written, by the job's worker.
std::unique_ptr<IJob> MakeToggleModeJob(CTesselSession& session);
// The job run to its end.
void ToggleMode(CTesselSession& session);

inline constexpr const char* kSaveTagsQuestion = "Save changes to MP3 files?";

// Writes the changed tags: asks "Save changes to MP3 files?" (Yes, No, Cancel) and goes on
// with the answer as the second form. Closing the window in MP3 mode with rows runs it
// too: Cancel keeps the window open. The job tells done the answer.
std::unique_ptr<IJob> MakeSaveId3Job(CTesselSession& session,
                                     std::function<void(EAnswer)> done = {});
// The job run to its end; returns its answer.
EAnswer SaveID3(CTesselSession& session);
// Save ID3 with the question answered. Answers Yes at once, showing nothing, when no tag
// has changed; No or Cancel as given. On Yes it shows a preview of every row's verdict, and
// when it is confirmed writes with progress and shows the results (answer Yes). A preview
// closed with Cancel writes nothing and answers Cancel, so that a switch or a close in
// progress stops. Verdicts: "OK" (written), "File not found", "Read only" (the system
// refuses a write), "Unexpected error.  Please refer to help" (the write failed, the file
// kept as it was) and "Unchanged". Without showPreview (a front end that would show the
// preview to nobody) the writes start at once, and a changed row's file is judged by its
// write alone, so that each file is opened once.
std::unique_ptr<IJob> MakeSaveId3Job(CTesselSession& session, EAnswer answer, bool showPreview,
                                     std::function<void(EAnswer)> done = {});
// The job run to its end; returns its answer.
EAnswer SaveID3(CTesselSession& session, EAnswer answer, bool showPreview = true);
// The preview Save ID3 shows: one record per row, the list's row itself, with its verdict
// ("Unchanged" for a row whose tag has not changed). A changed row whose tag loses
// characters ID3v1 cannot hold stays OK, its comment naming the fields (TagTextLossNote).
// Without probeFiles a changed row's file is taken as OK, for its write to judge.
std::shared_ptr<CResultsList> SaveId3Preview(const CRenameList& list, bool probeFiles);

// Lock Title to Lock Comment: inverts the lock of column 1 to 6 and stores it.
void ToggleLock(CTesselSession& session, int column);
// Lock: the options sheet at the "ID3 Editor" page; the session takes its values.
void LockCommand(CTesselSession& session);
