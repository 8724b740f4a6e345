// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Parses the command line, runs one command and returns the exit status: 0 done, 1 an
// error (a command line that does not fit, too), 2 a run blocked by its preview.
int RunCli(int argc, char** argv);
