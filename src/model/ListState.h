// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

class CTesselSession;

// The list's state at a glance, as the window's status bar shows it at all times.
struct SListState {
    size_t nRows = 0;
    size_t nSelected = 0;
    bool bMp3Mode = false;
    size_t nUnsavedTags = 0;  // MP3 mode: rows whose tag was changed and not yet written
};

SListState ListStateOf(const CTesselSession& session);
// "3 rows, 1 selected", and in MP3 mode ", 2 tags not saved" after it.
std::string ListStateText(const SListState& state);
