#pragma once

class CTesselSession;

// Filename <-> ID3 Tag. Both ask for the separator and the part order first (through the
// prompts, starting each time from " - " and artist first), walk every row, selected or
// not, and take no undo step.

// Sets the title and artist of each row whose new name splits into two non-empty parts.
// No file is touched: Save ID3 writes the new values later.
void FilenameToId3(CTesselSession& session);
// Sets the new name of each row whose file exists and holds a tag with an artist or a
// title, composed from the artist and title stored in the file (not the row's fields).
void Id3ToFilename(CTesselSession& session);
