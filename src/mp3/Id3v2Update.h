// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct SId3v2Header;

// The fields to change in an ID3v2 tag, each given in full (UTF-8); an empty text, a year
// of "" or a genre of -1 removes the field's frame. A field not given is not touched.
struct SId3v2Change {
    std::optional<std::string> title;
    std::optional<std::string> artist;
    std::optional<std::string> album;
    std::optional<std::string> year;
    std::optional<std::string> comment;
    std::optional<int> genre;

    bool Any() const { return title || artist || album || year || comment || genre; }
};

enum class EId3v2Update {
    Updated,    // only the frames of the changed fields differ
    Converted,  // a 2.2 tag, which TagLib cannot write, became a 2.3 tag
    Failed,     // the tag's frames could not be read: it is left alone
};

// The new tag: oldTag (the bytes the old tag takes, header and footer included; empty
// for a file without one, which gets a 2.3 tag) with the changes made. Every other frame
// keeps its bytes. A tag that fits in the old one's room is padded to fill it exactly;
// one that does not gets padding for later edits.
EId3v2Update UpdateId3v2Tag(std::string_view oldTag, const SId3v2Header& header,
                            const SId3v2Change& change, std::string& newTag);
