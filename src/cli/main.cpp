// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "cli/CommandLine.h"
#include "platform/FileSizeSignal.h"

int main(int argc, char** argv) {
    IgnoreFileSizeSignal();
    // Lists of many rows print many lines: write them in large blocks.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    int status = RunCli(argc, argv);
    if (std::fflush(stdout) != 0 && status == 0)
        status = 1;
    return status;
}
