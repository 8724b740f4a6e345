// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/Archive.h"

// A list file made byte by byte, as a damaged or crafted one would be: one row per
// (name, path), each to be renamed to "moved" without an extension.
inline std::string RawList(const std::vector<std::pair<std::string, std::string>>& rows) {
    CArchiveWriter archive;
    archive.WriteString("#TESSELHEADER");
    archive.WriteInt32(static_cast<int32_t>(rows.size()));
    for (const auto& [name, path] : rows) {
        for (const std::string& text :
             {name, std::string("moved"), std::string(), path, std::string("1")})
            archive.WriteString(text);
        archive.WriteUInt32(1);
        archive.WriteString("1/1/2020 0:0");
        archive.WriteUInt32(0);
    }
    return archive.Bytes();
}
