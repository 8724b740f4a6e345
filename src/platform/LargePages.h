#pragma once

#include <optional>
#include <string>

// A long list makes a hundred megabytes of small allocations, and on a virtual machine the
// first touch of each fresh 4 KB page is costly. glibc's malloc takes its
// memory in 2 MB pages, where the kernel offers them on request, only when its tunables say
// so at start-up. Each front end calls StartWithLargePages first thing in main: the process
// starts itself once more with the tunable added, and carries on as it is when it cannot.

// The value GLIBC_TUNABLES needs for large pages, given its current one (nullptr when
// unset); nothing when it already says what malloc should do about them.
std::optional<std::string> TunablesWithLargePages(const char* current);

// Starts the program again with large pages asked for, unless they are already; returns
// only when that is not done.
void StartWithLargePages(char** argv);
