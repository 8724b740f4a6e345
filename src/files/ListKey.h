// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A list's lock and journals belong to the list, not to how its path is spelled: they are
// named after a key of the list's canonical path.

// The list's path with every symbolic link and "." or ".." resolved, a relative path taken
// from the current folder. A list not saved yet (nothing at the path) is its resolved
// folder and its last name; a link to a list not saved yet is its target's. "" when the
// folder cannot be resolved.
std::string CanonicalListPath(const std::string& path);

// The path a list's key and journals are made of: its canonical path, or, when its folder
// cannot be resolved, its absolute path.
std::string ListIdentityPath(const std::string& path);

// Sixteen lowercase hexadecimal digits of the 64-bit FNV-1a hash of canonicalPath.
std::string ListKey(const std::string& canonicalPath);
