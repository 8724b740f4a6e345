// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "model/RenameList.h"

// The title of a column in a mode ("New Filename" ... "In Folder"; "Filename", "Title" ...
// "Comment"), or "" for a column the mode does not have.
const char* ColumnTitle(EMode mode, int column);
// The column whose title matches, ignoring ASCII letter case; -1 when none does.
int ColumnFromTitle(EMode mode, const std::string& title);
