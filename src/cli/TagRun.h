// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "cli/CliInput.h"
#include "cli/CliList.h"
#include "transform/NameTools.h"

// Switches the list to MP3 mode, which reads every row's tag, and gives the field choice
// of --fields (all four fields by default). False, with the error on stderr, when a row is
// not an MP3 file.
bool EnterMp3Mode(CCliList& list, const SCliInput& input, FieldChoice& fields);
// Writes the changed tags as Save ID3 does with its question answered Yes and prints the
// results; each field written that lost characters ID3v1 cannot hold is told on stderr,
// the exit status then kExitTagTextLost. With dryRun, writes nothing and prints each
// changed row's fields before and after instead. Returns the exit status.
int SaveTags(CCliList& list, bool dryRun);

// A command over the tags of the list's files: MP3 mode, the command with the field
// choice, then Save ID3.
template <class Command>
int RunOnTags(CCliList& list, const SCliInput& input, Command command) {
    FieldChoice fields;
    if (!EnterMp3Mode(list, input, fields))
        return 1;
    command(list.Session(), fields);
    if (list.Prompts().Errors() != 0)
        return 1;
    return SaveTags(list, input.bDryRun);
}
