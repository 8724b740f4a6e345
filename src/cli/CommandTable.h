#pragma once

#include <string>
#include <vector>

class CCliArgs;

// One option of a command: "--name" alone when pszValue is null, else "--name VALUE".
// An option without a value may also have a one-letter form ("-z").
struct SOptionSpec {
    const char* pszName;
    const char* pszValue;
    const char* pszHelp;
    char cShort = 0;
};

// One command of tessel-cli: what --help shows of it and the function that runs it.
// A command returns the exit status: 0 done, 1 an error, 2 a run blocked by its preview.
struct SCommandSpec {
    const char* pszName;
    const char* pszArgs;
    const char* pszSummary;  // one line, for the program's --help
    const char* pszDetails;  // more, for the command's --help; may be empty
    int nMinArgs;
    int nMaxArgs;  // -1: no limit
    std::vector<SOptionSpec> options;
    int (*pRun)(const CCliArgs& args);
};

// Every command, in the order --help lists them.
const std::vector<SCommandSpec>& CommandTable();

// Ends the process with the status once the output is out, without taking apart what the
// command built: a list of many rows is freed by the system at once, far faster.
[[noreturn]] void ExitNow(int status);

// Parses the command line, runs one command and returns the exit status.
int RunCli(int argc, char** argv);
