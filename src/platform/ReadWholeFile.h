#pragma once

#include <string>

// Reads a whole regular file into bytes; on failure returns an errno value (never 0):
// EISDIR for a folder, EINVAL for anything else that is not a regular file.
int ReadWholeFile(const std::string& path, std::string& bytes);
