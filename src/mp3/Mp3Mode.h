#pragma once

#include "model/Prompts.h"

class CTesselSession;

// The commands of MP3 mode. Dialogs, questions and progress go through the session's
// prompts; the lock flags are kept in the profile's "Lock" section.

// Toggle Mode is open in MP3 mode, and in normal mode when every row is an MP3 file.
bool CanToggleMode(const CTesselSession& session);
// Into MP3 mode: every existing file's tag is read into its row (a file without a tag
// keeps the row's tag fields), with progress; a cancel stays in normal mode. Back to normal mode:
// changed tags are offered for saving first (SaveID3); Cancel keeps MP3 mode. Either way the undo
// history is emptied. Does nothing when CanToggleMode is false.
void ToggleMode(CTesselSession& session);

// Writes the changed tags: asks "Save changes to MP3 files?" (Yes, No, Cancel), shows a
// preview of every row's verdict, writes with progress and shows the results. Answers
// Yes at once, showing nothing, when no tag has changed; No or Cancel as the user
// answered; Yes after a preview closed with Cancel (nothing written) or after saving.
// Closing the window in MP3 mode with rows runs it too: Cancel keeps the window open.
// Verdicts: "OK" (written), "File not found", "Read only" (the system refuses a write),
// "Unexpected error.  Please refer to help" (the write failed, the file kept as it was)
// and "Unchanged".
EAnswer SaveID3(CTesselSession& session);

// Lock Title to Lock Comment: inverts the lock of column 1 to 6 and stores it.
void ToggleLock(CTesselSession& session, int column);
// Lock: the options sheet at the "ID3 Editor" page; the session takes its values.
void LockCommand(CTesselSession& session);
