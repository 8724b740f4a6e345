// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Prompts.h"

class CTesselSession;

// Filename <-> ID3 Tag. The asking forms ask for the separator and the part order first
// (through the prompts, starting each time from " - " and artist first; Cancel changes
// nothing) and go on as the forms that take them. Both walk every row, selected or not.

// Sets the title and artist of each row whose new name splits into two non-empty parts.
// No file is touched: Save ID3 writes the new values later. No undo step.
void FilenameToId3(CTesselSession& session);
void FilenameToId3(CTesselSession& session, const SSeparatorChoice& choice);
// Sets the new name of each row whose file exists and holds a tag with an artist or a
// title, composed from the artist and title stored in the file (not the row's fields).
// The changed names are one undo step and mark the list modified. Nothing happens while
// the command is disabled (see CommandState): in MP3 mode, or with a row that is not an
// MP3 file. False when it did not run.
bool Id3ToFilename(CTesselSession& session);
bool Id3ToFilename(CTesselSession& session, const SSeparatorChoice& choice);
