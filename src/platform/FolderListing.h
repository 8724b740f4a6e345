#pragma once

#include <string>
#include <vector>

// The names of every entry of a folder, "." and ".." excluded, in the order the file
// system returns them. False when the folder cannot be read.
bool ListFolder(const std::string& folder, std::vector<std::string>& names);
