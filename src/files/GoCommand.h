// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/LocateRows.h"
#include "files/RenameStep.h"
#include "model/Job.h"
#include "model/Prompts.h"
#include "platform/PathFacts.h"

class CRenameList;
class CResultsList;
class CTesselSession;

// Each row's path and new path, one list each, for a run to read one after another: the
// paths are the entries' own, the new paths are built once into one buffer.
struct SRunPaths {
    SRunPaths() = default;
    SRunPaths(SRunPaths&&) = default;
    SRunPaths& operator=(SRunPaths&&) = default;
    SRunPaths(const SRunPaths&) = delete;
    SRunPaths& operator=(const SRunPaths&) = delete;

    RowPathList oldPaths;  // the entries' own paths (see RowPathList)
    // Each row's new path, a view into newPathBytes, where they lie one after another; a
    // move keeps the views valid, a copy would not.
    std::vector<std::string_view> newPaths;
    std::vector<char> newPathBytes;
    // Each row's file as the preview found it; empty when no preview probed the files.
    std::vector<SFileId> files;
    // The renames in the order the preview planned them (see SRenamePlan); without a plan
    // the rows are renamed in row order.
    bool bPlanned = false;
    std::vector<SRenameStep> steps;
    std::vector<std::string> temporaries;
    std::vector<ERoute> routes;
};

// The comments of a file that trades names, in a preview or the results.
inline constexpr const char* kSwapNote = "OK (swaps names)";
inline constexpr const char* kTemporaryNote = "OK (through a temporary name)";
// The comment of a row by its route; empty for a plain rename.
std::string RouteNote(ERoute route);

inline constexpr const char* kContinueQuestion = "Do you want to continue?";
inline constexpr const char* kInvalidExtensionMessage = "Cannot rename to this invalid extension";

// What a run does after a rename failed: ask "Do you want to continue?" each time, or take
// the answer given beforehand.
enum class EOnFailure { Ask, Continue, Stop };

// Everything a run needs to know from the user before it starts.
struct SGoSettings {
    SExtensionChoice extension;
    EOnFailure onFailure = EOnFailure::Ask;
};

// The extension text is one a file can get: it holds a "." or is empty. The text counts
// whichever way the choice goes, as the dialog's box holds it.
bool IsValidExtension(const std::string& text);
// The check of the extension dialog's OK: false, after "Cannot rename to this invalid
// extension" (one OK button, no icon), when the choice's text is not a valid extension.
bool CheckExtensionChoice(IPrompts& prompts, const SExtensionChoice& choice);

// The renaming phase of Go (step 3) on its own, for a caller that judged the rows
// already: every row's file gets the entry's new path, in the order planned (row order
// when paths holds no plan), never replacing an existing name; a renamed row's entry takes its new
// path and name. Adds one record per row to results (the entry as before the rename, with 0 or 5)
// and asks the question of Go after a failure, and stops early when the prompts say the user
// cancelled (see CGoRun). Records no undo step. paths, when given, holds each row's paths as the
// preview judged them (the entries have not changed since); the renamed entries take the new ones.
void RenameRows(CTesselSession& session, CResultsList& results, SRunPaths* paths = nullptr,
                EOnFailure onFailure = EOnFailure::Ask);

// The preview verdicts of every row as the entries stand now: preview shows the rows
// themselves with their verdicts (see CResultsList::ShowRows); each row's paths go to
// paths when asked for, with the order of their renames. Verdicts: 1 new name taken (by a
// file that keeps it: a name another file of the run gives up is free), 2 file not found (or its
// folder cannot be read), 6 unchanged (the new path is the old one, byte for byte), 3 read only
// (see MayRenameEntry), 4 illegal character (see CFileFacts::HasIllegalChar; also an empty name), 8
// a name longer than the folder's file system takes, else 0.
void FillPreview(CTesselSession& session, CResultsList& preview, SRunPaths* paths = nullptr);
// The same as a job, worked out on a thread of its own; preview and paths are filled when
// it ends.
std::unique_ptr<IJob> PreviewJob(CTesselSession& session, CResultsList& preview,
                                 SRunPaths* paths = nullptr);
// Gives every entry the extension chosen, unless the choice keeps them.
void ApplyExtensionChoice(CRenameList& list, const SExtensionChoice& choice);
