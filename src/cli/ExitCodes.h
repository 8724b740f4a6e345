// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tessel-cli's exit statuses, listed in --help and the man page.
enum EExitCode : int {
    kExitOk = 0,
    // A command could not do what it was asked (bad arguments, a missing list, a file error,
    // a rename or tag write that failed).
    kExitError = 1,
    // go: the preview found rows that cannot be renamed; nothing was renamed.
    kExitBlocked = 2,
    // go or undo: the question was answered No (or not asked: --yes was not given).
    kExitDeclined = 3,
    // A tag write went ahead but some text did not fit ID3v1's Latin-1 and was stored as "?".
    kExitTagTextLost = 4,
};
