// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CTesselSession;

// The Remove command: closes an open cell editor, takes every selected row out of the
// list (the files on disk are not touched), recomputes the all-MP3 flag from the rows
// left, marks the document modified when rows went, and empties the undo history, also
// when nothing was selected. Returns the number of rows removed.
int Remove(CTesselSession& session);
