// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Starts a program with its arguments passed byte for byte, as separate words that no
// shell reads, and does not wait for it: the program runs on in a session of its own and
// leaves no child behind to be reaped. A program without a slash is looked up in PATH.
// False when it could not be started.
bool StartDetachedProgram(const std::string& program, const std::vector<std::string>& arguments);
