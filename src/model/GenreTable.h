// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

inline constexpr int kGenreCount = 145;
inline constexpr const char* kNoGenreItem = "(none)";

// The name of genre 0 to 144; "" for every other number.
std::string GenreName(int genre);
// The index of the name, compared byte for byte; -1 when no entry matches.
int GenreFromName(const std::string& name);
// The same, with letter case ignored ("rock" is Rock).
int GenreFromNameIgnoringCase(const std::string& name);
// "(none)" followed by the names in case-insensitive alphabetical order.
std::vector<std::string> GenreDropDownItems();
