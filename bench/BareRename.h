// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcntl.h>
#include <stdio.h>

#include <string>
#include <vector>

// The yardstick of the Go benchmarks: each file renamed with one renameat2 call that never
// replaces a name, nothing else. True when every rename worked.
inline bool BareRenameLoop(const std::vector<std::string>& from,
                           const std::vector<std::string>& to) {
    bool ok = true;
    for (size_t i = 0; i < from.size(); ++i)
        ok = renameat2(AT_FDCWD, from[i].c_str(), AT_FDCWD, to[i].c_str(), RENAME_NOREPLACE) == 0 &&
             ok;
    return ok;
}
