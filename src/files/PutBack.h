// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/JournalFormat.h"

// What became of one rename of a run that undo put back.
enum class EPutBack {
    Renamed,  // the file was renamed back
    InPlace,  // it was under its old name already, and nothing is left to do
    Taken,    // another entry holds the old name: the file stays where it is
    Missing,  // the file is under neither name
    Failed,   // the system refused the rename (errno tells why)
    Changed,  // a tag's file changed since the tag was written: it is left as it is
};

// Puts the file of one rename back under its old name, never replacing an entry. The file
// is the one the rename recorded (device and inode): under its old name alone it is in
// place (its rename was never made, or was put back before); anything else under a name
// is another file.
EPutBack PutBack(const SRunRename& rename);

// Puts back what a tag write recorded: the old tag over the new one, or the file cut back
// to its old length when the tag was appended, and the old ID3v2 tag when the write
// changed it (the file made anew when the two differ in size). Only the file recorded (device and inode)
// is touched, and only while its length is still the one the write left; a file that
// holds the old bytes already is in place.
EPutBack RestoreTag(const STagWrite& write);
