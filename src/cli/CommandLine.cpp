// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "cli/CliInput.h"
#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "model/GenreTable.h"
#include "model/HitDoc.h"
#include "model/TagEditing.h"

namespace {

using RunFunction = int (*)(const SCliInput&);

const char* const kDescription =
    "Renames files in batches from a rename list (a .tsl file, made by add), and reads and\n"
    "writes the ID3v1 and ID3v2 tags of MP3 files. Each call loads the list, runs one command and\n"
    "saves the list back when the command changed it.";

const char* const kExitStatuses =
    "Exit status: 0 done; 1 an error (a missing list, a bad argument, a failed rename or\n"
    "write); 2 go found rows in its preview that block the run, and renamed nothing; 3 go\n"
    "was not confirmed (answered No, or no --yes without a terminal); 4 tags were written,\n"
    "but text ID3v1 cannot hold was stored as \"?\".";

// How the commands that print rows write a field that holds a tab or a newline.
const char* const kEscapesHelp =
    "A backslash, tab or newline inside a field is written as \\\\, \\t or \\n, so that each\n"
    "row is one line. With -z every field, the last of a row too, ends with a NUL byte\n"
    "instead and is written byte for byte.";

// What the commands that write tags tell about the fields they write.
const char* const kTagWritesHelp =
    "A file's ID3v2 tag gets the changed fields whole; its other frames stay as they were.\n"
    "A character ID3v1's Latin-1 cannot hold is stored as ?: for each field that loses\n"
    "one, a line on stderr names the file, the field and the text stored. --dry-run\n"
    "writes nothing and prints one line per field that would change, FILE: Title:\n"
    "\"before\" -> \"after\", with (stored as \"...\") after a value that would lose\n"
    "characters, and FILE: and the reason when the file could not take the tag.";
const char* const kTagDryRunHelp = "print each field that would change, write nothing";

// A check made while parsing: the value passes when test holds, else the problem is told.
CLI::Validator Check(bool (*test)(const std::string&), const char* problem) {
    return CLI::Validator(
        [test, problem](std::string& value) { return test(value) ? std::string() : problem; }, "");
}

// An option or argument whose word is one of the keys of choices; the target gets its value.
template <class Value>
CLI::Option* Choice(CLI::App* command, const char* name,
                    const std::map<std::string, Value>& choices, Value& target, const char* help) {
    std::vector<std::string> words;
    for (const auto& choice : choices)
        words.push_back(choice.first);
    return command
        ->add_option_function<std::string>(
            name, [&choices, &target](const std::string& word) { target = choices.at(word); }, help)
        ->check(CLI::IsMember(words));
}

// The parser of the whole command line, writing into one input; Run tells which command
// was chosen.
class CCommandLine {
public:
    CCommandLine();
    int Run(int argc, char** argv);

private:
    CLI::App* Command(const char* name, const char* summary, const char* details, RunFunction run,
                      std::initializer_list<const char*> arguments);
    void Zero(CLI::App* command);
    void Tags(CLI::App* command);
    void TagWrites(CLI::App* command);
    void Separator(CLI::App* command);
    void AddListCommands();
    void AddTextCommands();
    void AddNumber();
    void AddRunCommands();
    void AddTagCommands();

    CLI::App m_app{kDescription, "tessel-cli"};
    SCliInput m_input;
    std::vector<std::pair<CLI::App*, RunFunction>> m_runs;
};

CCommandLine::CCommandLine() {
    m_app.footer(std::string("'tessel-cli COMMAND --help' shows a command's arguments and "
                             "options.\n") +
                 kExitStatuses);
    m_app.get_formatter()->label("Usage", "usage");
    m_app.set_version_flag("--version", "tessel-cli " TESSEL_VERSION);
    m_app.require_subcommand(0, 1);
    AddListCommands();
    AddTextCommands();
    AddNumber();
    AddRunCommands();
    AddTagCommands();
}

// The arguments are named in order: LIST is the list, a name ending in "..." takes one or
// more words, any other name one word.
CLI::App* CCommandLine::Command(const char* name, const char* summary, const char* details,
                                RunFunction run, std::initializer_list<const char*> arguments) {
    CLI::App* command = m_app.add_subcommand(name, summary);
    command->group("commands");
    command->footer(details);
    m_runs.emplace_back(command, run);
    for (std::string argument : arguments) {
        if (argument == "LIST")
            command->add_option(argument, m_input.strList, "the rename list, a .tsl file");
        else if (argument.ends_with("..."))
            command->add_option(argument.substr(0, argument.size() - 3), m_input.words);
        else
            command->add_option_function<std::string>(
                argument, [this](const std::string& word) { m_input.words.push_back(word); });
        command->get_options().back()->required();
    }
    return command;
}

void CCommandLine::Zero(CLI::App* command) {
    command->add_flag("-z,--zero", m_input.bZero, "end every field with a NUL byte, unescaped");
    command->footer(command->get_footer() + "\n\n" + kEscapesHelp);
}

// The options of a text command that may work on the tags instead of the new names.
void CCommandLine::Tags(CLI::App* command) {
    CLI::Option* mp3 = command->add_flag(
        "--mp3", m_input.bMp3, "work on the tags of the rows' files instead of the new names");
    command
        ->add_option_function<std::vector<std::string>>(
            "--fields",
            [this](const std::vector<std::string>& names) {
                static const char* const kNames[4] = {"title", "artist", "album", "comment"};
                m_input.fields = {};
                for (const std::string& name : names)
                    for (size_t i = 0; i < 4; ++i)
                        m_input.fields[i] = m_input.fields[i] || name == kNames[i];
            },
            "tag fields, e.g. title,artist (default: all four)")
        ->delimiter(',')
        ->check(CLI::IsMember({"title", "artist", "album", "comment"}))
        ->needs(mp3);
    command->add_flag("--dry-run", m_input.bDryRun, kTagDryRunHelp)->needs(mp3);
    TagWrites(command);
}

void CCommandLine::TagWrites(CLI::App* command) {
    command->add_flag("--add-id3v2", m_input.bAddId3v2,
                      "give a file without an ID3v2 tag an ID3v2.3 tag too");
    command->footer(command->get_footer() + "\n\n" + kTagWritesHelp);
}

void CCommandLine::Separator(CLI::App* command) {
    command->add_option("--separator", m_input.strSeparator,
                        "the string between the parts (default \" - \")");
    command->add_flag("--title-first", m_input.bTitleFirst, "the name reads Title - Artist");
}

void CCommandLine::AddListCommands() {
    CLI::App* add = Command("add", "add files to the list, as the Add command does",
                            "Each file becomes a row at the end of the list, in the order "
                            "given; a file already\nin the list is skipped. A folder adds the "
                            "files in it, its names sorted bytewise;\nwith --recursive the "
                            "files of its subfolders too, depth first. The list is made\nwhen "
                            "it does not exist yet.",
                            RunAdd, {"LIST", "PATH..."});
    add->add_flag("--recursive", m_input.bRecursive, "add the files inside subfolders too");

    Command("remove", "remove rows by number (1 is the first row)",
            "The files themselves are not touched.", RunRemove, {"LIST", "ROW..."});

    CLI::App* show =
        Command("show", "print the rows, one line each, the cells tab-separated",
                "The cells of the normal columns (New Filename, Current Filename, Type, Size, "
                "Modified,\nIn Folder) in column order; with --mp3 those of the MP3 columns "
                "(Filename, Title,\nArtist, Album, Year, Genre, Comment), the tags read from "
                "the files.",
                RunShow, {"LIST"});
    show->add_flag("--mp3", m_input.bMp3, "the MP3 columns; every row must be an .mp3 file");
    Zero(show);

    CLI::App* sort = Command(
        "sort", "sort the rows by a column, as a click on its title",
        "COLUMN is a column title: New Filename, Current Filename, Type, Size, Modified or\nIn "
        "Folder (letter case does not matter). Texts sort with letters folded to lower "
        "case,\nSize and Modified as numbers; equal rows keep their order.",
        RunSort, {"LIST", "COLUMN"});
    sort->add_flag("--descending", m_input.bDescending, "largest first");
    sort->add_flag("--natural", m_input.bNatural,
                   "texts in natural order: track2 before track10, case and accents as the "
                   "locale's collation weighs them");

    CLI::App* exported = Command("export", "Save to Text File: the new file names, one per line",
                                 "Writes each row's new name with its extension, without the "
                                 "folder, in row order.\nTEXTFILE - writes them to standard "
                                 "output.",
                                 RunExport, {"LIST", "TEXTFILE"});
    Zero(exported);

    Command("rename", "give one row a new name, as an edit of its cell",
            "Leading blanks are dropped; a name of blanks only keeps the old "
            "name. The extension\nstays as it is.",
            RunRename, {"LIST", "ROW", "NEWNAME"});
}

void CCommandLine::AddTextCommands() {
    static const std::map<std::string, ETextOperation> kCases = {
        {"sentence", ETextOperation::SentenceCase}, {"lower", ETextOperation::Lowercase},
        {"upper", ETextOperation::Uppercase},       {"title", ETextOperation::TitleCase},
        {"toggle", ETextOperation::ToggleCase},
    };
    CLI::App* changeCase =
        Command("case", "change the letter case of every new name",
                "sentence: the first letter up; title: every letter after a space up; toggle: "
                "every\nletter swapped. Extensions never change. With --mp3 the chosen tag "
                "fields change\ninstead, and the changed tags are written as Save ID3 writes "
                "them.",
                RunCase, {"LIST"});
    Choice(changeCase, "CASE", kCases, m_input.caseOperation, "the case to change to")->required();
    Tags(changeCase);

    CLI::App* swap = Command("swap", "swap the parts before and after MIDDLE in every new name",
                             "Artist - Title becomes Title - Artist with MIDDLE \" - \"; names "
                             "without MIDDLE stay.",
                             RunSwap, {"LIST", "MIDDLE"});
    Tags(swap);

    CLI::App* spaces =
        Command("spaces", "insert a space wherever a lower-case letter meets a capital", "",
                RunSpaces, {"LIST"});
    Tags(spaces);

    CLI::App* replace = Command(
        "replace", "replace every occurrence of FIND in every new name",
        "Letter case is ignored unless --match-case is given. With --regex FIND is an ICU "
        "regular\nexpression over the whole name, and $1 to $9 in REPLACEMENT are the texts of "
        "its groups\n(\\$ is a dollar sign); a name that is not valid UTF-8 is left as it is.",
        RunReplace, {"LIST", "FIND", "REPLACEMENT"});
    replace->add_flag("--match-case", m_input.bMatchCase, "find only the same letter case");
    replace->add_flag("--regex", m_input.bRegex, "FIND is a regular expression");
    Tags(replace);
}

void CCommandLine::AddNumber() {
    CLI::App* number = Command(
        "number", "number the new names in sequence (the Rename Wizard)",
        "Row 1 gets START, each next row INCREMENT more, padded with zeros to DIGITS. The "
        "base\nis TEXT (--name), or each row's own new name (--current); one of the two is "
        "needed.",
        RunNumber, {"LIST"});
    CLI::Option* name = number->add_option_function<std::string>(
        "--name", [this](const std::string& text) { m_input.name = text; },
        "the same base name for every row");
    number->add_flag("--current", m_input.bCurrent, "number each row's own new name")
        ->excludes(name);
    // The core pads with at most five zeros: more digits could not show.
    number->add_option("--digits", m_input.nDigits, "at least N digits (default 2)")
        ->check(CLI::Range(1, 6));
    number->add_option("--increment", m_input.nIncrement, "step from row to row (default 1)");
    number->add_option("--start", m_input.nStart, "the first row's number (default 1)");
    CLI::Option* after =
        number->add_flag("--after")->description("the number after the name (the default)");
    CLI::Option* before =
        number->add_flag("--before", m_input.bBefore, "the number before the name");
    number
        ->add_option_function<int>(
            "--offset", [this](int characters) { m_input.offset = characters; },
            "the number after the first N characters")
        ->check(CLI::Range(0, INT_MAX))
        ->excludes(after)
        ->excludes(before);
    before->excludes(after);
}

void CCommandLine::AddRunCommands() {
    static const std::map<std::string, EOnFailure> kOnError = {{"stop", EOnFailure::Stop},
                                                               {"continue", EOnFailure::Continue}};
    CLI::App* go =
        Command("go", "rename the files of the list (Go), with a preview and an undo journal",
                "Prints the preview, one line per row: Before, After, Comment. The run goes ahead "
                "only\nwhen every row is OK or Unchanged (left as it is), and without --yes only "
                "when\n\"Proceed? [y/N]\" is answered y on a terminal. Rows that fail are reported "
                "on\nstderr, with the system's reason. Exit status: 0 every file renamed, 2 the "
                "preview\nblocked the run (the blocking rows are named on stderr), 3 not "
                "confirmed, 1 a rename\nfailed or any other error.",
                RunGo, {"LIST"});
    go->add_option_function<std::string>(
          "--ext", [this](const std::string& text) { m_input.extension = text; },
          "give every file this extension (\".txt\"; \"\" for none)")
        ->check(Check(IsValidExtension, kInvalidExtensionMessage));
    go->add_flag("--dry-run", m_input.bDryRun, "print the preview and stop");
    go->add_flag("--yes", m_input.bYes, "go ahead without asking");
    Choice(go, "--on-error", kOnError, m_input.onFailure, "after a failed rename (default: stop)");
    Zero(go);

    CLI::App* undo = Command(
        "undo", "put back the latest run made on this list and not undone yet",
        "Every completed rename of the run is put back, also of a run that was killed "
        "halfway.\nA file is never overwritten: a row whose old name is taken is reported and "
        "left, and\na later undo tries it again. Each undo takes back the latest run not "
        "undone yet,\nthe next one the run before. Tags written by name-to-tag or a text "
        "command with --mp3\nare runs of the list too: undo puts the old tags back byte for "
        "byte. --tags does the\nsame for the latest tag command, the tags it wrote.",
        RunUndo, {});
    undo->add_option("LIST", m_input.strList, "the rename list, a .tsl file");
    undo->add_flag("--tags", m_input.bTags, "undo the latest tag command instead of a list's run")
        ->excludes(undo->get_option("LIST"));
    Command("history", "list the runs of this list that undo can take back",
            "One line per run, oldest first: when it started, how many files it renamed, and\n"
            "whether it was undone (or interrupted before it ended). The last 20 runs are kept.",
            RunHistory, {"LIST"});
}

void CCommandLine::AddTagCommands() {
    CLI::App* tags = Command("tags", "print the tag of each file",
                             "One line per file: file, title, artist, album, year, genre, "
                             "comment, track\n(ID3v1.1), tab-separated; a file without a tag "
                             "shows empty fields. The fields\nare the ID3v2 tag's where the "
                             "file has one, else the ID3v1 tag's.",
                             RunTags, {"FILE..."});
    Zero(tags);

    CLI::App* tag = Command("tag", "write fields into the tags of .mp3 files",
                            "Only the fields given change; an empty value clears a field. "
                            "Prints the results as\nSave ID3 shows them (OK, Unchanged, Read "
                            "only, File not found, ...).",
                            RunTag, {"FILE..."});
    static const struct {
        const char* pszOption;
        int nColumn;
        const char* pszHelp;
    } kFields[] = {
        {"--title", kColTitle, "title (ID3v1 keeps 30 bytes)"},
        {"--artist", kColArtist, "artist"},
        {"--album", kColAlbum, "album"},
        {"--year", kColYear, "year, 1 to 9999"},
        {"--genre", kColGenre, "genre, a name of the ID3v1 table such as Rock (see genres)"},
        {"--comment", kColComment, "comment"},
    };
    for (const auto& field : kFields) {
        int column = field.nColumn;
        CLI::Option* option = tag->add_option_function<std::string>(
            field.pszOption,
            [this, column](const std::string& text) {
                // A genre is stored as the table spells it, whatever the case it was typed in.
                m_input.tagValues[column] =
                    column == kColGenre && !text.empty()
                        ? GenreName(GenreFromNameIgnoringCase(text))
                        : text;
            },
            field.pszHelp);
        // A year and a genre are taken only when the tag can hold them; empty clears.
        if (column == kColYear)
            option->check(
                Check([](const std::string& text) { return IsStorableTagValue(kColYear, text); },
                      "a year is 1 to 9999"));
        if (column == kColGenre)
            option->check(Check(
                [](const std::string& text) {
                    return text.empty() || GenreFromNameIgnoringCase(text) >= 0;
                },
                "no such genre; 'tessel-cli genres' lists the names"));
    }
    tag->add_flag("--dry-run", m_input.bDryRun, kTagDryRunHelp);
    TagWrites(tag);

    CLI::App* nameToTag = Command(
        "name-to-tag",
        "Filename to ID3: split each new name into artist and title and write the tags",
        "A name splits at the first separator (default \" - \") when both parts are non-empty.",
        RunNameToTag, {"LIST"});
    Separator(nameToTag);
    nameToTag->add_flag("--dry-run", m_input.bDryRun, kTagDryRunHelp);
    TagWrites(nameToTag);

    Command("genres", "print the ID3v1 genre table",
            "One line per genre: its number in the tag, a tab, its name. --genre takes the "
            "names,\nin any letter case.",
            RunGenres, {});

    CLI::App* tagToName = Command(
        "tag-to-name", "ID3 to Filename: new names from the artist and title in each file's tag",
        "Rows whose file has no tag, or a tag without artist and title, keep their new name.",
        RunTagToName, {"LIST"});
    Separator(tagToName);
}

// The first word when it is meant as a command but names none.
std::optional<std::string> UnknownCommand(const CLI::App& app, int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-')
        return std::nullopt;
    for (const CLI::App* command : app.get_subcommands({}))
        if (command->check_name(argv[1]))
            return std::nullopt;
    return std::string(argv[1]);
}

int CCommandLine::Run(int argc, char** argv) {
    if (std::optional<std::string> unknown = UnknownCommand(m_app, argc, argv))
        return ReportError("", "no command " + *unknown + "; see 'tessel-cli --help'");
    try {
        m_app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0)
            return m_app.exit(error);
        std::vector<CLI::App*> chosen = m_app.get_subcommands();
        std::string help = chosen.empty() ? "tessel-cli --help"
                                          : "tessel-cli " + chosen[0]->get_name() + " --help";
        return ReportError(chosen.empty() ? "" : chosen[0]->get_name(),
                           error.what() + ("; see '" + help + "'"));
    }
    for (const auto& [command, run] : m_runs)
        if (command->parsed())
            return run(m_input);
    return ReportError("", "no command given; see 'tessel-cli --help'");
}

}  // namespace

int RunCli(int argc, char** argv) {
    CCommandLine commandLine;
    return commandLine.Run(argc, argv);
}
