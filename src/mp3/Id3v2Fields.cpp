// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/Id3v2Fields.h"

#include <taglib/commentsframe.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/textidentificationframe.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>

#include "model/GenreTable.h"
#include "mp3/Id3v2Layout.h"

namespace {

std::string Utf8(const TagLib::String& text) {
    return text.to8Bit(true);
}

// The frames the six fields come from, in the tag's order.
class CFieldFrames {
public:
    void Add(const TagLib::ID3v2::Frame* frame) { m_frames.push_back(frame); }
    void Own(std::unique_ptr<TagLib::ID3v2::Frame> frame) {
        m_frames.push_back(frame.get());
        m_owned.push_back(std::move(frame));
    }
    const TagLib::ID3v2::Frame* First(std::string_view id) const {
        for (const TagLib::ID3v2::Frame* frame : m_frames)
            if (IsId(*frame, id))
                return frame;
        return nullptr;
    }
    std::vector<const TagLib::ID3v2::Frame*> All(std::string_view id) const {
        std::vector<const TagLib::ID3v2::Frame*> found;
        for (const TagLib::ID3v2::Frame* frame : m_frames)
            if (IsId(*frame, id))
                found.push_back(frame);
        return found;
    }

private:
    static bool IsId(const TagLib::ID3v2::Frame& frame, std::string_view id) {
        const TagLib::ByteVector& frameId = frame.frameID();
        return std::string_view(frameId.data(), frameId.size()) == id;
    }

    std::vector<const TagLib::ID3v2::Frame*> m_frames;
    std::vector<std::unique_ptr<TagLib::ID3v2::Frame>> m_owned;
};

// The ids of the frames the fields are read from, as TagLib names them once read.
constexpr std::array<std::string_view, 6> kFieldFrameIds = {"TIT2", "TPE1", "TALB",
                                                            "TDRC", "TCON", "COMM"};
// The same as a 2.3 or 2.4 tag may hold them: TagLib reads TYER (and the old misspelling
// TRDC) as TDRC.
constexpr std::array<std::string_view, 8> kStoredFieldFrameIds = {
    "TIT2", "TPE1", "TALB", "TYER", "TDRC", "TRDC", "TCON", "COMM"};

template <size_t N>
bool IsOneOf(std::string_view id, const std::array<std::string_view, N>& ids) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// The text of the first frame with the id, its fields joined by " / ".
std::string FrameText(const CFieldFrames& frames, std::string_view id) {
    const TagLib::ID3v2::Frame* frame = frames.First(id);
    if (frame == nullptr)
        return "";
    if (auto* text = dynamic_cast<const TagLib::ID3v2::TextIdentificationFrame*>(frame))
        return Utf8(text->fieldList().toString(" / "));
    return Utf8(frame->toString());
}

// The leading digits of the text, at most four.
std::string YearDigits(const std::string& text) {
    size_t n = 0;
    while (n < text.size() && n < 4 && std::isdigit(static_cast<unsigned char>(text[n])))
        ++n;
    return text.substr(0, n);
}

std::vector<std::string> TconFields(const CFieldFrames& frames) {
    std::vector<std::string> fields;
    if (auto* text =
            dynamic_cast<const TagLib::ID3v2::TextIdentificationFrame*>(frames.First("TCON")))
        for (const TagLib::String& field : text->fieldList())
            fields.push_back(Utf8(field));
    return fields;
}

bool IsNumber(std::string_view text) {
    if (text.empty() || text.size() > 3)
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// The genres one field names, appended; false for anything outside the table.
bool AddGenres(std::string_view field, std::vector<int>& genres) {
    while (field.size() > 2 && field[0] == '(' && field[1] != '(') {
        size_t close = field.find(')');
        if (close == std::string_view::npos || !IsNumber(field.substr(1, close - 1)))
            return false;
        genres.push_back(std::stoi(std::string(field.substr(1, close - 1))));
        field.remove_prefix(close + 1);
    }
    if (field.empty())
        return true;
    int genre = IsNumber(field) ? std::stoi(std::string(field))
                                : GenreFromNameIgnoringCase(std::string(field));
    genres.push_back(genre);
    return true;
}

}  // namespace

int GenreOfTcon(const std::vector<std::string>& fields) {
    std::vector<int> genres;
    for (const std::string& field : fields)
        if (!AddGenres(field, genres))
            return -1;
    if (genres.empty())
        return -1;
    for (int genre : genres)
        if (genre != genres.front())
            return -1;
    return GenreName(genres.front()).empty() ? -1 : genres.front();
}

namespace {

void TakeFields(const CFieldFrames& frames, SId3v2Fields& fields) {
    fields.strTitle = FrameText(frames, "TIT2");
    fields.strArtist = FrameText(frames, "TPE1");
    fields.strAlbum = FrameText(frames, "TALB");
    fields.strYear = YearDigits(FrameText(frames, "TDRC"));
    std::vector<std::string> tcon = TconFields(frames);
    fields.nGenre = GenreOfTcon(tcon);
    fields.bForeignGenre = fields.nGenre < 0 && !tcon.empty();
    // The comment is the first without a description, else the first.
    const TagLib::ID3v2::CommentsFrame* chosen = nullptr;
    for (const TagLib::ID3v2::Frame* frame : frames.All("COMM")) {
        auto* comment = dynamic_cast<const TagLib::ID3v2::CommentsFrame*>(frame);
        if (comment && (chosen == nullptr || (comment->description().isEmpty() &&
                                              !chosen->description().isEmpty())))
            chosen = comment;
    }
    if (chosen)
        fields.strComment = Utf8(chosen->text());
}

TagLib::ByteVector Bytes(std::string_view bytes) {
    return TagLib::ByteVector(bytes.data(), static_cast<unsigned int>(bytes.size()));
}

// The fields of a plain 2.3 or 2.4 tag from its fields' frames alone, each handed to
// TagLib's frame factory as the whole tag's reading would hand it, and reading stopping
// where that reading would stop. False for any tag that reading could see otherwise
// (2.2, unsynchronised, extended header, frames this lister cannot walk).
bool ReadFieldFrames(std::string_view bytes, SId3v2Fields& fields) {
    SId3v2Header header;
    if (ParseId3v2Header(bytes, bytes.size(), header) != EId3v2Head::Tag ||
        header.nVersion < 3 || header.nFlags != (header.bFooter ? kId3v2FooterFlag : 0) ||
        header.nTagSize == kId3v2HeaderSize + (header.bFooter ? kId3v2HeaderSize : 0))
        return false;
    std::vector<SId3v2Frame> listed;
    size_t framesStart = 0;
    size_t framesEnd = 0;
    if (!ListId3v2Frames(bytes, header, listed, framesStart, framesEnd))
        return false;
    const TagLib::ID3v2::Header tagHeader(Bytes(bytes.substr(0, kId3v2HeaderSize)));
    const TagLib::ID3v2::FrameFactory* factory = TagLib::ID3v2::FrameFactory::instance();
    size_t bodyEnd = bytes.size() - (header.bFooter ? kId3v2HeaderSize : 0);
    // TagLib sizes a long 2.4 frame by peeking past it (for taggers that wrote 2.3
    // sizes), so such a frame is handed with all that follows it.
    constexpr size_t kLongestUnpeekedData = 127;
    CFieldFrames frames;
    for (const SId3v2Frame& frame : listed) {
        size_t dataSize = frame.nSize - kId3v2HeaderSize;
        bool peeked = header.nVersion == 4 && dataSize > kLongestUnpeekedData;
        std::string_view handed =
            bytes.substr(frame.nOffset, peeked ? bodyEnd - frame.nOffset : frame.nSize);
        bool wanted = IsOneOf(frame.strId, kStoredFieldFrameIds);
        // TagLib stops reading a tag at a frame too short to hold data.
        constexpr size_t kMostDataTagLibMayRefuse = 4;
        if (!wanted && !peeked && dataSize > kMostDataTagLibMayRefuse)
            continue;
        std::unique_ptr<TagLib::ID3v2::Frame> read(
            factory->createFrame(Bytes(handed), &tagHeader));
        if (read == nullptr || read->size() == 0)
            break;
        if (read->size() != dataSize)
            return false;
        const TagLib::ByteVector& id = read->frameID();
        if (IsOneOf(std::string_view(id.data(), id.size()), kFieldFrameIds))
            frames.Own(std::move(read));
    }
    TakeFields(frames, fields);
    return true;
}

}  // namespace

bool ReadId3v2Fields(std::string_view bytes, SId3v2Fields& fields) {
    fields = SId3v2Fields();
    if (ReadFieldFrames(bytes, fields))
        return true;
    return ReadId3v2FieldsFromWholeTag(bytes, fields);
}

bool ReadId3v2FieldsFromWholeTag(std::string_view bytes, SId3v2Fields& fields) {
    fields = SId3v2Fields();
    TagLib::ByteVector data = Bytes(bytes);
    TagLib::ByteVectorStream stream(data);
    TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    TagLib::ID3v2::Tag* tag = file.hasID3v2Tag() ? file.ID3v2Tag() : nullptr;
    if (tag == nullptr)
        return false;
    CFieldFrames frames;
    for (const TagLib::ID3v2::Frame* frame : tag->frameList())
        frames.Add(frame);
    TakeFields(frames, fields);
    return true;
}
