#include "cli/CommandTable.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/CliArgs.h"
#include "cli/CliPrompts.h"
#include "cli/Commands.h"

namespace {

const char* const kVersion = "tessel-cli 0.1.0";

// How the commands that print rows write a field that holds a tab or a newline.
const char* const kEscapesHelp =
    "A backslash, tab or newline inside a field is written as \\\\, \\t or \\n, so that each\n"
    "row is one line. With -z every field, the last of a row too, ends with a NUL byte\n"
    "instead and is written byte for byte.";

void PrintProgramHelp() {
    std::printf(
        "usage: tessel-cli COMMAND LIST|FILE... [OPTIONS]\n\n"
        "Renames files in batches from a rename list (a .tsl file; an absent file is an\n"
        "empty list), and reads and writes the ID3v1 tags of MP3 files. Each call loads the\n"
        "list, runs one command and saves the list back when the command changed it.\n\n"
        "commands:\n");
    for (const SCommandSpec& command : CommandTable())
        std::printf("  %-12s %s\n", command.pszName, command.pszSummary);
    std::printf(
        "\n'tessel-cli COMMAND --help' shows a command's arguments and options.\n"
        "Exit status: 0 done, 1 an error, 2 a run blocked by its preview.\n");
}

void PrintCommandHelp(const SCommandSpec& command) {
    std::printf("usage: tessel-cli %s %s\n\n%s\n", command.pszName, command.pszArgs,
                command.pszSummary);
    if (command.pszDetails[0] != '\0')
        std::printf("\n%s\n", command.pszDetails);
    for (const SOptionSpec& option : command.options)
        if (option.cShort == 'z')
            std::printf("\n%s\n", kEscapesHelp);
    if (command.options.empty())
        return;
    std::printf("\noptions:\n");
    for (const SOptionSpec& option : command.options) {
        std::string left = std::string("--") + option.pszName;
        if (option.cShort != 0)
            left = std::string("-") + option.cShort + ", " + left;
        if (option.pszValue != nullptr)
            left += std::string(" ") + option.pszValue;
        std::printf("  %-22s %s\n", left.c_str(), option.pszHelp);
    }
}

const SCommandSpec* FindCommand(const std::string& name) {
    for (const SCommandSpec& command : CommandTable())
        if (name == command.pszName)
            return &command;
    return nullptr;
}

bool AsksForHelp(const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        if (word == "--")
            return false;
        if (word == "--help" || word == "-h")
            return true;
    }
    return false;
}

}  // namespace

void ExitNow(int status) {
    if (std::fflush(stdout) != 0 && status == 0)
        status = 1;
    std::fflush(stderr);
    std::_Exit(status);
}

int RunCli(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty())
        return ReportError("", "no command given; see 'tessel-cli --help'");
    if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        PrintProgramHelp();
        return 0;
    }
    if (words[0] == "--version") {
        std::puts(kVersion);
        return 0;
    }
    const SCommandSpec* command = FindCommand(words[0]);
    if (command == nullptr)
        return ReportError("", "unknown command '" + words[0] + "'; see 'tessel-cli --help'");
    words.erase(words.begin());
    if (AsksForHelp(words)) {
        PrintCommandHelp(*command);
        return 0;
    }
    CCliArgs args;
    std::string error;
    if (!args.Parse(*command, words, error))
        return ReportError(command->pszName, error + "; usage: tessel-cli " + command->pszName +
                                                 " " + command->pszArgs);
    return command->pRun(args);
}
