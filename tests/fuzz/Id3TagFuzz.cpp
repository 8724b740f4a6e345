// libFuzzer target for the ID3v1 tag reader and writer, on a real file holding the input.
// Reading finds a tag exactly when the last 128 bytes begin with "TAG"; writing back what
// was read changes no byte (an untagged file only gains a block); a tag written from new
// values reads back as values that, written again, change no byte and read the same; and
// no write ever touches the bytes before the block.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "model/HitDoc.h"
#include "mp3/ID3Tag.h"
#include "platform/WriteAll.h"

namespace {

void Require(bool holds) {
    if (!holds)
        std::abort();
}

// One scratch file for the whole run, in a folder of its own, removed at exit.
struct SScratch {
    SScratch() {
        char made[] = "/tmp/tessel-id3-fuzz-XXXXXX";
        Require(mkdtemp(made) != nullptr);
        strFolder = made;
        strFile = strFolder + "/song.mp3";
    }
    ~SScratch() {
        unlink(strFile.c_str());
        rmdir(strFolder.c_str());
    }
    std::string strFolder;
    std::string strFile;
};

const std::string& ScratchFile() {
    static const SScratch scratch;
    return scratch.strFile;
}

void Put(const std::string& bytes) {
    int fd = open(ScratchFile().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    Require(fd >= 0 && WriteAll(fd, bytes));
    close(fd);
}

std::string Get() {
    std::ifstream in(ScratchFile(), std::ios::binary);
    Require(in.is_open());
    return std::string(std::istreambuf_iterator<char>(in), {});
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

void WriteEntry(const CHitDoc& entry) {
    CID3Tag tag;
    tag.FillFrom(entry);
    Require(tag.WriteTag(ScratchFile()));
}

bool SameTag(const CHitDoc& a, const CHitDoc& b) {
    return a.Title().Get() == b.Title().Get() && a.Artist().Get() == b.Artist().Get() &&
           a.Album().Get() == b.Album().Get() &&
           a.Comment().Get() == b.Comment().Get() && a.Year() == b.Year() &&
           a.Genre() == b.Genre();
}

// Writes the entry, then checks that the file reads back as values which, written once
// more, change no byte.
void WriteAndCheckRoundTrip(const CHitDoc& entry, const std::string& audio) {
    WriteEntry(entry);
    std::string written = Get();
    Require(written.size() == audio.size() + 128 && written.compare(0, audio.size(), audio) == 0);
    CHitDoc back;
    Require(ReadEntry(back));
    WriteEntry(back);
    Require(Get() == written);
    CHitDoc again;
    Require(ReadEntry(again) && SameTag(again, back));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    Put(input);
    bool marked = size >= 128 && std::memcmp(data + size - 128, "TAG", 3) == 0;
    CHitDoc entry;
    Require(ReadEntry(entry) == marked);
    std::string audio = marked ? input.substr(0, size - 128) : input;

    // What was read, written back: not a byte changes (an untagged file gains its block).
    WriteEntry(entry);
    std::string unchanged = Get();
    if (marked)
        Require(unchanged == input);
    else
        Require(unchanged.size() == size + 128 && unchanged.compare(0, size, input) == 0 &&
                unchanged.compare(size, 3, "TAG") == 0);
    CHitDoc reread;
    Require(ReadEntry(reread) && SameTag(reread, entry));

    // New values made of the input's own bytes, of any length and any encoding.
    CHitDoc changed = entry;
    changed.EditTitle().Set(input.substr(0, 40));
    changed.EditArtist().Set(input.substr(size / 3, 31));
    changed.EditComment().Set(input.substr(size / 2));
    changed.SetYear(size > 0 ? static_cast<int>(data[0]) * 40 - 1 : -1);
    changed.SetGenre(size > 1 ? static_cast<int>(data[1]) % 146 - 1 : -1);
    WriteAndCheckRoundTrip(changed, audio);
    return 0;
}
