#pragma once

#include "files/JournalFormat.h"

// What became of one rename of a run that undo put back.
enum class EPutBack {
    Renamed,  // the file was renamed back
    InPlace,  // it was under its old name already, and nothing is left to do
    Taken,    // another entry holds the old name: the file stays where it is
    Missing,  // the file is under neither name
    Failed,   // the system refused the rename (errno tells why)
};

// Puts the file of one rename back under its old name, never replacing an entry. The
// file is the one the rename recorded (device and inode) when they are known, else
// whatever holds the new name. A file under its old name with nothing under the new one
// is in place (put back before, say by an undo that was killed). When mayBeUnmade (the
// last rename of a run that did not finish: its record was written, the rename perhaps
// never made) the file under its old name is in place whatever holds the new one.
EPutBack PutBack(const SRunRename& rename, bool mayBeUnmade);
