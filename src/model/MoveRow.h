// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CTesselSession;

// A row dragged to another place: it lands directly before the row it was dropped on, or
// at the end of the list for a drop below the last row (dropRow = the row count). Only
// that row moves, keeping its entry, selection and focus; the move is one undo step.
// Dropping a row onto itself or onto the row right below it changes nothing. Returns
// whether the order changed; a row outside the list does nothing.
bool MoveRow(CTesselSession& session, int draggedRow, int dropRow);
