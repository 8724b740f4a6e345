#pragma once

class CTesselSession;

inline constexpr const char* kCannotUndoMessage = "Cannot undo last operation";

// Takes back the last recorded step. An edit step writes the rows' earlier values back.
// A rename run renames every file it renamed back to its old name, from the last row to
// the first, and gives each row its entry from before the run; a row whose file the run
// did not rename (it never left its old path, or is back there with nothing at the new
// path) gets its entry back without a rename. When a file cannot be renamed back, every
// other row is still put back, that row keeps naming the path where its file is, "Cannot
// undo last operation" is shown and the whole history is emptied. The renames back show
// progress; a Cancel stops after the rows in hand, which leave the step, while the rest
// stay in it for the next Undo.
void Undo(CTesselSession& session);
