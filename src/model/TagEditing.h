// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "model/Prompts.h"

class CHitDoc;
class CTesselSession;

// Stores a tag cell's text in its row's entry (MP3 mode only) and refreshes the row:
// a year only within 1 to 9999, a genre only by its exact table name.
void SetTagValue(CTesselSession& session, int row, int column, const std::string& text);
// The same for an entry outside a list.
void SetEntryTagValue(CHitDoc& entry, int column, const std::string& text);
// Whether a typed value is one the tag can hold as typed: for Year, empty (no year) or a
// plain decimal number from 1 to 9999; for Genre, empty (no genre) or a name of the genre
// table; any text for the other columns. SetTagValue takes anything, storing no year or
// genre for a value that is not one; a front end that wants to refuse it asks this first.
bool IsStorableTagValue(int column, const std::string& text);
// When the column is locked, the text goes into that column of every row.
void ApplyToLockedColumn(CTesselSession& session, const std::string& text, int column);
// Opens the Options sheet at a page. The session then holds the ten values the sheet
// shows (stored on OK, the stored ones on Cancel). True for OK.
bool RunOptionsSheet(CTesselSession& session, EOptionsPage page);
