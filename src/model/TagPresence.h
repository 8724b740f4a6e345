// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// Which tags a row's file held when it was last read or written.
struct STagPresence {
    bool bV1 = false;
    uint8_t nV2Version = 0;  // the ID3v2 major version, 2 to 4; 0 for none
    bool bV2Broken = false;  // the file starts as an ID3v2 tag that cannot be read

    bool operator==(const STagPresence&) const = default;
};

// "v1", "v2.3", "v1 + v2.4", "v1 + v2 (unreadable)"; "" for no tag.
std::string TagPresenceText(const STagPresence& presence);
