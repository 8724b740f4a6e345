// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StateFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

std::string JournalFolderPath() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/')
        return std::string(state) + "/tessel";
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        // No usable HOME: the user's home folder as the system records it, never the root.
        const passwd* user = getpwuid(geteuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    if (home == nullptr || home[0] != '/')
        return "";
    return std::string(home) + "/.local/state/tessel";
}
