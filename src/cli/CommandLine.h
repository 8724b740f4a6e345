#pragma once

// Parses the command line, runs one command and returns the exit status: 0 done, 1 an
// error (a command line that does not fit, too), 2 a run blocked by its preview.
int RunCli(int argc, char** argv);

// Ends the process with the status once the output is out, without taking apart what the
// command built: a list of many rows is freed by the system at once, far faster.
[[noreturn]] void ExitNow(int status);
