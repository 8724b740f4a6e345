#include "cli/CliArgs.h"
#include "cli/CliList.h"
#include "cli/Commands.h"
#include "cli/TagRun.h"
#include "transform/FindReplace.h"
#include "transform/NameTools.h"
#include "transform/Numbering.h"

namespace {

struct SCaseName {
    const char* pszName;
    ETextOperation operation;
};

constexpr SCaseName kCases[] = {
    {"sentence", ETextOperation::SentenceCase}, {"lower", ETextOperation::Lowercase},
    {"upper", ETextOperation::Uppercase},       {"title", ETextOperation::TitleCase},
    {"toggle", ETextOperation::ToggleCase},
};

// Runs a text command on the new names, or with --mp3 on the chosen tag fields, whose
// changes are then written to the files.
template <class Command>
int RunTextCommand(const CCliArgs& args, Command command) {
    CCliList list;
    if (!list.Load(args.At(0)))
        return 1;
    if (args.Has("mp3"))
        return RunOnTags(list, args, command);
    if (args.Has("fields") || args.Has("dry-run"))
        return ReportError(args.Has("fields") ? "--fields" : "--dry-run", "needs --mp3");
    command(list.Session(), FieldChoice{});
    // A command the core refused (with its message on stderr) changed nothing.
    return list.SaveIfChanged() && list.Prompts().Errors() == 0 ? 0 : 1;
}

}  // namespace

int RunCase(const CCliArgs& args) {
    for (const SCaseName& name : kCases)
        if (args.At(1) == name.pszName)
            return RunTextCommand(args, [&](CTesselSession& session, const FieldChoice& fields) {
                TransformNames(session, name.operation, fields);
            });
    return ReportError(args.At(1), "no such case; use sentence, lower, upper, title or toggle");
}

int RunSwap(const CCliArgs& args) {
    return RunTextCommand(args, [&](CTesselSession& session, const FieldChoice& fields) {
        SwapNames(session, args.At(1), fields);
    });
}

int RunSpaces(const CCliArgs& args) {
    return RunTextCommand(args, [](CTesselSession& session, const FieldChoice& fields) {
        TransformNames(session, ETextOperation::InsertSpaces, fields);
    });
}

int RunReplace(const CCliArgs& args) {
    return RunTextCommand(args, [&](CTesselSession& session, const FieldChoice& fields) {
        ReplaceAll(session, SReplaceSettings{args.At(1), args.At(2), args.Has("match-case")},
                   fields);
    });
}

int RunNumber(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0)))
        return 1;
    SNumberingSettings numbering;
    std::string error;
    int offset = 0;
    if (!args.IntValue("digits", 2, numbering.nDigits, error) ||
        !args.IntValue("increment", 1, numbering.nIncrement, error) ||
        !args.IntValue("start", 1, numbering.nStart, error) ||
        !args.IntValue("offset", 0, offset, error))
        return ReportError("", error);
    int positions = args.Has("after") + args.Has("before") + args.Has("offset");
    if (positions > 1)
        return ReportError("", "choose one of --after, --before and --offset N");
    if (args.Has("name") && args.Has("current"))
        return ReportError("", "choose one of --name TEXT and --current");
    ENumberPosition position = args.Has("before")   ? ENumberPosition::Before
                               : args.Has("offset") ? ENumberPosition::Offset
                                                    : ENumberPosition::After;
    numbering.nOffset = PositionOffset(position, offset);
    numbering.bStandardName = !args.Has("current");
    // Without --name the wizard's box holds the longest current new name.
    numbering.strName = args.Has("name") ? args.Value("name")
                                         : LongestNewName(list.Session().List()).strCurrentName;
    // The core refuses an empty filename with its message, about the option that gave it.
    list.Prompts().SetSubject(args.Has("current") ? "--current" : "--name");
    if (RenameWizard(list.Session(), numbering) == ECommandOutcome::Cancelled)
        return 1;
    list.Prompts().SetSubject("");
    return list.SaveIfChanged() && list.Prompts().Errors() == 0 ? 0 : 1;
}
