// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

// A count as people read it: digits grouped by thousands ("12,345").
std::string GroupedNumber(size_t count);
// A count with its noun, singular for one: "1 row", "12,345 rows".
std::string Counted(size_t count, const std::string& singular, const std::string& plural);
