// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QList>
#include <vector>

#include "model/CommandId.h"

// One command as the menus, the toolbar, the accelerators and the status bar show it.
// The texts are English sources; the window shows them through CommandText and MenuText.
struct SCommandSpec {
    ECommandId id;
    const char* label;    // with its mnemonic and any trailing blank
    const char* keyText;  // shown after a tab in the menu; "" for none
    const char* prompt;   // status-bar text
    const char* tooltip;
    const char* icon;  // toolbar image name; "" for none
};

// What the window shows of a command; every ECommandId has one.
const SCommandSpec& CommandSpec(ECommandId id);
const std::vector<SCommandSpec>& AllCommands();
// The keys that run a command from anywhere in the window. Insert and Delete are not
// among them: the list handles those itself.
QList<QKeySequence> CommandKeys(ECommandId id);

// One entry of a menu: a command (with its own label, or another where a menu reads
// differently) or a separator.
struct SMenuItem {
    bool bSeparator = false;
    ECommandId id = ECommandId::New;
    const char* label = nullptr;  // overrides the command's label when set
};
struct SMenuSpec {
    const char* title;
    std::vector<SMenuItem> items;
};

// The menu bar, menu by menu.
const std::vector<SMenuSpec>& MainMenus();
// The row context menus of the two modes and the column-title menu of MP3 mode.
const SMenuSpec& NormalContextMenu();
const SMenuSpec& Mp3ContextMenu();
const SMenuSpec& LockContextMenu();
// The toolbar's buttons in order.
const std::vector<ECommandId>& ToolbarCommands();

// The text of a menu entry: its label, then a tab and the key text when it has one, in the
// language of the translation loaded.
QString MenuText(const SMenuItem& item);
// A label, prompt or tool tip of the table, translated.
QString CommandText(const char* text);
QString MenuTitle(const SMenuSpec& menu);
