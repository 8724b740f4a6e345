// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Where the window and tessel-cli keep their undo journals and list locks:
// $XDG_STATE_HOME/tessel, else ~/.local/state/tessel (the home folder from HOME, else
// from the password database); "" when there is none.
std::string JournalFolderPath();
