// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the ID3v2 tag reader and writer, on a real file holding the input.
// Whatever the file's first bytes, reading and writing never crash; writing back what was
// read leaves the ID3v2 tag and the audio as they were; a new title is read back whole
// wherever the ID3v2 tag could be written, and the audio after the tag keeps every byte.
// Reading only the fields' frames finds what reading the whole tag finds, on the file's
// tag and on tags holding the input as the data of one field's frame.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "FuzzSupport.h"
#include "model/HitDoc.h"
#include "mp3/ID3Tag.h"
#include "mp3/Id3v2Fields.h"
#include "mp3/Id3v2Layout.h"

namespace {

const std::string& ScratchFile() {
    return ::ScratchFile("/tmp/tessel-id3v2-fuzz-XXXXXX");
}

std::string Get() {
    return ReadWhole(ScratchFile());
}

// The bytes between the ID3v2 tag of the given length and the ID3v1 block, if any: a
// block is never read inside the tag.
std::string Audio(const std::string& bytes, size_t head) {
    size_t end = bytes.size();
    if (end >= head + 128 && bytes.compare(end - 128, 3, "TAG") == 0)
        end -= 128;
    return bytes.substr(head, end - head);
}

size_t HeadLength(const std::string& bytes) {
    SId3v2Header header;
    return ParseId3v2Header(bytes, bytes.size(), header) == EId3v2Head::Tag ? header.nTagSize : 0;
}

bool SameFields(const SId3v2Fields& a, const SId3v2Fields& b) {
    return a.strTitle == b.strTitle && a.strArtist == b.strArtist && a.strAlbum == b.strAlbum &&
           a.strYear == b.strYear && a.strComment == b.strComment && a.nGenre == b.nGenre &&
           a.bForeignGenre == b.bForeignGenre;
}

// Where the fields are decoded from their frames, TagLib reading the whole tag agrees.
void RequireFramesReadAsWholeTag(std::string_view tagBytes) {
    SId3v2Fields fromFrames;
    SId3v2Fields fromWholeTag;
    if (ReadId3v2FieldsFromFieldFrames(tagBytes, fromFrames)) {
        Require(ReadId3v2FieldsFromWholeTag(tagBytes, fromWholeTag));
        Require(SameFields(fromFrames, fromWholeTag));
    }
}

// A tag of the version whose one frame holds the data, then some padding.
std::string TagAround(int version, const std::string& id, std::string_view data) {
    std::string tag = Id3v2FrameBytes(id, data, version);
    tag.append(16, '\0');
    return Id3v2HeaderBytes(version, 0, tag.size()) + tag;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    std::ofstream(ScratchFile(), std::ios::binary) << input;
    if (size_t head = HeadLength(input)) {
        SId3v2Fields fromFrames;
        SId3v2Fields fromWholeTag;
        std::string_view tagBytes = std::string_view(input).substr(0, head);
        Require(ReadId3v2Fields(tagBytes, fromFrames) ==
                ReadId3v2FieldsFromWholeTag(tagBytes, fromWholeTag));
        Require(SameFields(fromFrames, fromWholeTag));
    }
    for (int version : {3, 4})
        for (const char* id : {"TIT2", "TCON", "COMM"})
            RequireFramesReadAsWholeTag(TagAround(version, id, input));
    CID3Tag tag;
    bool read = tag.ReadTag(ScratchFile());
    STagPresence presence = tag.Presence();
    if (!read)
        tag.m_nGenre = -1;
    CHitDoc entry;
    entry.SetFromTag(tag.m_strTitle, tag.m_strArtist, tag.m_strAlbum, tag.m_strYear,
                     tag.m_strComment, tag.m_nGenre);

    // Written back unchanged, the ID3v2 tag and the audio keep every byte.
    CID3Tag same;
    same.FillFrom(entry);
    Require(same.WriteTag(ScratchFile()));
    std::string unchanged = Get();
    size_t head = presence.nV2Version != 0 ? HeadLength(input) : 0;
    Require(unchanged.compare(0, head, input, 0, head) == 0);
    Require(Audio(unchanged, head) == Audio(input, head));

    // A new title of any length and script: read back whole from the ID3v2 tag, when the
    // file has one that could be written.
    CID3Tag changed;
    changed.FillFrom(entry);
    changed.m_strTitle = "Título 東京 " + std::to_string(size) + std::string(size % 300, 'x');
    Require(changed.WriteTag(ScratchFile()));
    std::string written = Get();
    bool writable =
        presence.nV2Version != 0 && changed.Id3v2Note().find("left alone") == std::string::npos;
    CID3Tag back;
    Require(back.ReadTag(ScratchFile()));
    if (writable) {
        Require(back.m_strTitle == changed.m_strTitle);
        Require(Audio(written, HeadLength(written)) == Audio(input, head));
    }
    return 0;
}
