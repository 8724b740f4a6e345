// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// Writes every byte at the file's position, going on after interruptions and short
// writes. False with errno set when the system refuses (EIO when it writes nothing).
bool WriteAll(int fd, std::string_view bytes);
