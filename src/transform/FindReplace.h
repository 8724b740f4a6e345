// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "model/TesselSession.h"
#include "transform/CommandOutcome.h"
#include "transform/FindPattern.h"
#include "transform/NameTools.h"

// Find and replace in new names (normal mode) or tag cells (MP3 mode), from the
// session's current cell downwards. Without matchCase texts are compared through their
// uppercase (CTextField::FindNoCase); an empty find text is found nowhere.

// The only message of find and replace, with the find text in it.
std::string CannotFindMessage(const std::string& find);

// Normal mode: starts below the first selected row (the first row is selected when none
// is) and on a match selects that row alone and shows it. MP3 mode: starts below the
// current cell in its column and opens an editor over the match; without a match it moves
// to row 0 of the next column and opens the editor there untested, and past Comment it
// reports "Cannot find the string '%s'" on every call until the current cell is set anew.
// The search never wraps. True when a cell was found (or entered).
bool FindNext(CTesselSession& session, const std::string& find, bool matchCase);

// Replaces every occurrence inside the current cell (normal mode: the first selected row)
// as one undo step, then finds the next occurrence. A Genre or Filename cell in MP3 mode is
// never replaced into. False when nothing was replaced.
bool ReplaceCurrent(CTesselSession& session, const std::string& find,
                    const std::string& replacement, bool matchCase);

// Replaces in every row (MP3 mode: in the tag columns of the field choice, after the
// Options sheet, whose Cancel ends the command) as one undo step. Results are not trimmed,
// unchanged rows are not written, and the selection and current cell stay.
ECommandOutcome ReplaceAll(CTesselSession& session, const std::string& find,
                           const std::string& replacement, bool matchCase);

// Replace All with the field choice given (MP3 mode; the Options sheet is not shown).
ECommandOutcome ReplaceAll(CTesselSession& session, const SReplaceSettings& settings,
                           const FieldChoice& fields);

// The same three with the settings whole, a regular expression among them (CFindPattern).
// A regular expression that does not compile is told through the prompts
// (EMessageId::InvalidPattern, naming the character where it fails) before anything is
// searched or changed; the command then finds and changes nothing.
bool FindNext(CTesselSession& session, const SReplaceSettings& settings);
bool ReplaceCurrent(CTesselSession& session, const SReplaceSettings& settings);
ECommandOutcome ReplaceAll(CTesselSession& session, const SReplaceSettings& settings);

// What the find-and-replace dialog asked for.
enum class EFindRequest { FindNext, Replace, ReplaceAll };

// Carries out one request of the dialog: a Replace that replaced nothing goes on to find
// the next occurrence.
void HandleFindRequest(CTesselSession& session, EFindRequest request, const std::string& find,
                       const std::string& replacement, bool matchCase);
// The same with the settings whole; an invalid regular expression is told once.
void HandleFindRequest(CTesselSession& session, EFindRequest request,
                       const SReplaceSettings& settings);
