#pragma once

#include <string>

#include "model/Prompts.h"

class CTesselSession;

// Stores a tag cell's text in its row's entry (MP3 mode only) and refreshes the row:
// a year only within 1 to 9999, a genre only by its exact table name.
void SetTagValue(CTesselSession& session, int row, int column, const std::string& text);
// When the column is locked, the text goes into that column of every row.
void ApplyToLockedColumn(CTesselSession& session, const std::string& text, int column);
// Opens the Options sheet at a page. The session then holds the ten values the sheet
// shows (stored on OK, the stored ones on Cancel). True for OK.
bool RunOptionsSheet(CTesselSession& session, EOptionsPage page);
