// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "files/JournaledRun.h"

inline constexpr const char* kCannotUndoMessage = "Cannot undo last operation";

// The Undo command. An edit step is taken back at once, and null is returned; a run step
// is put back through its journal by the run returned, which the caller polls.
std::unique_ptr<CJournaledRun> StartUndo(CTesselSession& session, SRunList list);

// "Cannot undo last operation", followed by the renames left behind: each file and why.
std::string CannotUndoText(const SRunOutcome& outcome);

// What an undo did, counted: "Undo: 3 files put back, 1 failed, 2 not put back
// (cancelled)". Tag writes taken back count as files.
std::string UndoSummary(const SRunOutcome& outcome);

// Go and Undo run to their end on a session whose list has no file, each under a key of
// its own: for scripts and tests that need no other list.
SRunOutcome Go(CTesselSession& session, std::optional<SGoSettings> settings = std::nullopt);
SRunOutcome Undo(CTesselSession& session);
