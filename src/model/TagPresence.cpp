// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TagPresence.h"

std::string TagPresenceText(const STagPresence& presence) {
    std::string v2;
    if (presence.nV2Version != 0)
        v2 = "v2." + std::to_string(presence.nV2Version);
    else if (presence.bV2Broken)
        v2 = "v2 (unreadable)";
    if (presence.bV1)
        return v2.empty() ? "v1" : "v1 + " + v2;
    return v2;
}
