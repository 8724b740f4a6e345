// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliInput.h"
#include "cli/CliList.h"
#include "cli/Commands.h"
#include "cli/TagRun.h"
#include "transform/FindReplace.h"
#include "transform/NameTools.h"
#include "transform/Numbering.h"

namespace {

// Runs a text command on the new names, or with --mp3 on the chosen tag fields, whose
// changes are then written to the files.
template <class Command>
int RunTextCommand(const SCliInput& input, Command command) {
    CCliList list;
    // Tags written are a run of the list, kept in its journal.
    if (!list.Load(input.strList, true, input.bMp3 && !input.bDryRun))
        return 1;
    if (input.bMp3)
        return RunOnTags(list, input, command);
    command(list.Session(), FieldChoice{});
    // A command the core refused (with its message on stderr) changed nothing.
    return list.SaveIfChanged() && list.Prompts().Errors() == 0 ? 0 : 1;
}

}  // namespace

int RunCase(const SCliInput& input) {
    return RunTextCommand(input, [&](CTesselSession& session, const FieldChoice& fields) {
        TransformNames(session, input.caseOperation, fields);
    });
}

int RunSwap(const SCliInput& input) {
    return RunTextCommand(input, [&](CTesselSession& session, const FieldChoice& fields) {
        SwapNames(session, input.words[0], fields);
    });
}

int RunSpaces(const SCliInput& input) {
    return RunTextCommand(input, [](CTesselSession& session, const FieldChoice& fields) {
        TransformNames(session, ETextOperation::InsertSpaces, fields);
    });
}

int RunReplace(const SCliInput& input) {
    if (input.words[0].empty())
        return ReportError("replace", "the text to find is empty");
    SReplaceSettings settings{input.words[0], input.words[1], input.bMatchCase, input.bRegex};
    // A pattern that cannot be used is told before the list is even read.
    if (CFindPattern pattern(settings); !pattern.IsValid())
        return ReportError("replace", pattern.Problem());
    return RunTextCommand(input, [&](CTesselSession& session, const FieldChoice& fields) {
        ReplaceAll(session, settings, fields);
    });
}

int RunNumber(const SCliInput& input) {
    if (!input.name && !input.bCurrent)
        return ReportError("number", "give the base name with --name TEXT, or --current to "
                                     "number each row's own new name");
    CCliList list;
    if (!list.Load(input.strList))
        return 1;
    SNumberingSettings numbering;
    numbering.nDigits = input.nDigits;
    numbering.nIncrement = input.nIncrement;
    numbering.nStart = input.nStart;
    ENumberPosition position = input.bBefore  ? ENumberPosition::Before
                               : input.offset ? ENumberPosition::Offset
                                              : ENumberPosition::After;
    numbering.nOffset = PositionOffset(position, input.offset.value_or(0));
    numbering.bStandardName = !input.bCurrent;
    // With --current the wizard's box holds the longest new name, as the window fills it.
    numbering.strName =
        input.name ? *input.name : LongestNewName(list.Session().List()).strCurrentName;
    // The core refuses an empty filename with its message, about the option that gave it.
    list.Prompts().SetSubject(input.bCurrent ? "--current" : "--name");
    if (RenameWizard(list.Session(), numbering) == ECommandOutcome::Cancelled)
        return 1;
    list.Prompts().SetSubject("");
    return list.SaveIfChanged() && list.Prompts().Errors() == 0 ? 0 : 1;
}
