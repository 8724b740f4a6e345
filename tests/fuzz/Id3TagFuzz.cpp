// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the ID3v1 tag reader and writer, on a real file holding the input.
// Reading finds a tag exactly when the last 128 bytes begin with "TAG"; writing back what
// was read changes no byte (an untagged file only gains a block); a tag written from new
// values reads back as values that, written again, change no byte; and
// no write ever touches the bytes before the block. A file that starts as an ID3v2 tag is
// the ID3v2 target's (Id3v2TagFuzz.cpp).
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "FuzzSupport.h"
#include "model/HitDoc.h"
#include "mp3/ID3Tag.h"

namespace {

const std::string& ScratchFile() {
    return ::ScratchFile("/tmp/tessel-id3-fuzz-XXXXXX");
}

std::string Get() {
    return ReadWhole(ScratchFile());
}

// The entry Save ID3 would hold after reading the file: false when it has no tag.
bool ReadEntry(CHitDoc& entry) {
    CID3Tag tag;
    if (!tag.ReadTag(ScratchFile()))
        return false;
    entry.SetFromTag(tag.m_strTitle, tag.m_strArtist, tag.m_strAlbum, tag.m_strYear,
                     tag.m_strComment, tag.m_nGenre);
    return true;
}

// Writes the entry and returns the file's bytes.
std::string WriteEntry(const CHitDoc& entry) {
    CID3Tag tag;
    tag.FillFrom(entry);
    Require(tag.WriteTag(ScratchFile()));
    return Get();
}

bool SameTag(const CHitDoc& a, const CHitDoc& b) {
    return a.Title().Get() == b.Title().Get() && a.Artist().Get() == b.Artist().Get() &&
           a.Album().Get() == b.Album().Get() && a.Comment().Get() == b.Comment().Get() &&
           a.Year() == b.Year() && a.Genre() == b.Genre();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    if (input.compare(0, 3, "ID3") == 0)
        return 0;
    std::ofstream(ScratchFile(), std::ios::binary) << input;
    bool marked = size >= 128 && input.compare(size - 128, 3, "TAG") == 0;
    CHitDoc entry;
    Require(ReadEntry(entry) == marked);
    std::string audio = marked ? input.substr(0, size - 128) : input;

    // What was read, written back: not a byte changes (an untagged file gains an empty
    // block, which reads back empty).
    std::string unchanged = WriteEntry(entry);
    Require(!marked || unchanged == input);
    CHitDoc reread;
    Require(unchanged.size() == audio.size() + 128 &&
            unchanged.compare(0, audio.size(), audio) == 0 && ReadEntry(reread) &&
            SameTag(reread, entry));

    // New values made of the input's own bytes, of any length and any encoding, read back
    // as values that, written again, change no byte.
    CHitDoc changed = entry;
    changed.EditTitle().Set(input.substr(0, 40));
    changed.EditArtist().Set(input.substr(size / 3, 31));
    changed.EditComment().Set(input.substr(size / 2));
    changed.SetYear(size > 0 ? static_cast<int>(data[0]) * 40 - 1 : -1);
    changed.SetGenre(size > 1 ? static_cast<int>(data[1]) % 146 - 1 : -1);
    std::string written = WriteEntry(changed);
    CHitDoc back;
    Require(written.size() == audio.size() + 128 && written.compare(0, audio.size(), audio) == 0 &&
            ReadEntry(back) && WriteEntry(back) == written);
    return 0;
}
