// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class IRunObserver;

// The observer that the renames of a go or an undo report to. The program as shipped
// passes the given one (which may be null) through untouched; a test build links its own
// version, which can stop the process at a chosen rename as an outside signal would.
IRunObserver* HookRunObserver(IRunObserver* observer);
