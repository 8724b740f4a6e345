// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CommandId.h"

class CTesselSession;

struct SCommandState {
    bool bEnabled = true;
    bool bChecked = false;
};

// Whether a command can be chosen now and whether its menu item carries a check mark.
// A front end asks each time a menu, a context menu or the toolbar is about to show.
SCommandState CommandState(const CTesselSession& session, ECommandId command);

// Whether the command's item carries a check mark at all: the column locks, and Toggle
// Mode, checked in MP3 mode.
bool IsCheckCommand(ECommandId command);

// The MP3 column (kColTitle to kColComment) a Lock Title to Lock Comment command locks, 0
// for any other command.
int LockedColumnOf(ECommandId command);
