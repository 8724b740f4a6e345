// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

#include "cli/ExitCodes.h"
#include "support/TempDir.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

// What one run of the built tessel-cli left behind.
struct SCliRun {
    int nStatus = -1;  // the exit status, -1 when it was killed
    int nSignal = 0;   // the signal that killed it
    std::string strOut;
    std::string strErr;
};

using Environment = std::map<std::string, std::string>;

// Runs the built binary in a temporary folder, with its own state folder for the undo
// journal, so that no test touches the user's files.
class CliTest : public ::testing::Test {
protected:
    SCliRun Run(const std::vector<std::string>& args, const Environment& environment = {},
                const std::string& program = TESSEL_CLI) {
        return Finish(Start(args, environment, program));
    }
    // The same in two steps, for runs that overlap.
    pid_t Start(const std::vector<std::string>& args, const Environment& environment = {},
                const std::string& program = TESSEL_CLI);
    SCliRun Finish(pid_t child);
    // Runs a command that must end with the given status and tell the given text on stderr.
    SCliRun Expect(int status, const std::vector<std::string>& args, const std::string& error = "",
                   const Environment& environment = {}) {
        SCliRun run = Run(args, environment);
        EXPECT_EQ(run.nStatus, status) << args.at(0) << ": " << run.strErr;
        EXPECT_THAT(run.strErr, HasSubstr(error)) << args.at(0);
        return run;
    }

    // The list file most tests work on (absent until a command writes it).
    std::string List() const { return dir / "list.tsl"; }
    // Writes a list of the given files (full paths) as the desktop would have saved it,
    // with the given new names (none: each keeps its current name).
    void WriteList(const std::vector<std::string>& paths,
                   const std::vector<std::string>& newNames = {}, const std::string& list = "");
    static std::vector<std::string> Lines(const std::string& text);
    // One column of every line of a tab-separated text.
    static std::vector<std::string> Column(const std::string& text, size_t column);

    CTempDir dir;
    CTempDir state;
    // Limits of the next runs: the largest file they may write (with the file size signal
    // at its default, as a shell gives it) and the seconds before SIGALRM (0: none).
    rlim_t m_nFileSizeLimit = RLIM_INFINITY;
    unsigned m_nTimeLimit = 0;
};
