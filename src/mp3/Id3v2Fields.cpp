// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/Id3v2Fields.h"

#include <taglib/commentsframe.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/textidentificationframe.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <optional>

#include "model/GenreTable.h"
#include "mp3/Id3v2Layout.h"
#include "mp3/Id3v2Text.h"

namespace {

std::string Utf8(const TagLib::String& text) {
    return text.to8Bit(true);
}

// The frames the six fields come from, in the tag's order.
class CFieldFrames {
public:
    void Add(const TagLib::ID3v2::Frame* frame) { m_frames.push_back(frame); }
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
};

// The ids of the frames the fields are read from, as TagLib names them once read.
constexpr std::array<std::string_view, 6> kFieldFrameIds = {"TIT2", "TPE1", "TALB",
                                                            "TDRC", "TCON", "COMM"};

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

void SetGenre(const std::vector<std::string>& tcon, SId3v2Fields& fields) {
    fields.nGenre = GenreOfTcon(tcon);
    fields.bForeignGenre = fields.nGenre < 0 && !tcon.empty();
}

void TakeFields(const CFieldFrames& frames, SId3v2Fields& fields) {
    fields.strTitle = FrameText(frames, "TIT2");
    fields.strArtist = FrameText(frames, "TPE1");
    fields.strAlbum = FrameText(frames, "TALB");
    fields.strYear = YearDigits(FrameText(frames, "TDRC"));
    SetGenre(TconFields(frames), fields);
    // The comment is the first without a description, else the first.
    const TagLib::ID3v2::CommentsFrame* chosen = nullptr;
    for (const TagLib::ID3v2::Frame* frame : frames.All("COMM")) {
        auto* comment = dynamic_cast<const TagLib::ID3v2::CommentsFrame*>(frame);
        if (comment && (chosen == nullptr ||
                        (comment->description().isEmpty() && !chosen->description().isEmpty())))
            chosen = comment;
    }
    if (chosen)
        fields.strComment = Utf8(chosen->text());
}

TagLib::ByteVector Bytes(std::string_view bytes) {
    return TagLib::ByteVector(bytes.data(), static_cast<unsigned int>(bytes.size()));
}

// The frame flags under which the data on disk is not the frame's text.
constexpr unsigned char kV3DataFlags = 0x80 | 0x40 | 0x20;  // compressed, encrypted, grouped
// grouped, compressed, encrypted, unsynchronised, with a data length indicator
constexpr unsigned char kV4DataFlags = 0x40 | 0x08 | 0x04 | 0x02 | 0x01;
constexpr unsigned char kV4DataLengthFlag = 0x01;

// The id TagLib gives a frame of the version once read: 2.3's TYER, and 2.4's TRDC (a
// misspelling some taggers wrote), are the recording time.
std::string_view ReadFrameId(std::string_view id, int version) {
    if ((version == 3 && id == "TYER") || (version == 4 && id == "TRDC"))
        return "TDRC";
    return id;
}

// The fields' texts as the frames hold them, the first frame of each id winning.
struct SFieldTexts {
    std::optional<std::string> title, artist, album, date;
    std::optional<std::vector<std::string>> genres;
    std::string comment;
    bool bComment = false;
    bool bCommentDescribed = false;
};

// Decodes one of the fields' frames into the texts; false when it is not plain.
bool DecodeFieldFrame(std::string_view id, std::string_view data, SFieldTexts& texts) {
    if (id == "COMM") {
        std::string description;
        std::string text;
        if (!DecodeId3v2Comment(data, description, text))
            return false;
        // The comment is the first without a description, else the first.
        if (!texts.bComment || (texts.bCommentDescribed && description.empty())) {
            texts.comment = std::move(text);
            texts.bComment = true;
            texts.bCommentDescribed = !description.empty();
        }
        return true;
    }
    std::optional<std::string>* text = id == "TIT2"   ? &texts.title
                                       : id == "TPE1" ? &texts.artist
                                       : id == "TALB" ? &texts.album
                                       : id == "TDRC" ? &texts.date
                                                      : nullptr;
    if ((text && text->has_value()) || (!text && texts.genres.has_value()))
        return true;
    std::vector<std::string> pieces;
    if (!DecodeId3v2TextPieces(data, pieces))
        return false;
    if (!text) {
        texts.genres.emplace();
        return Id3v2GenrePieces(pieces, *texts.genres);
    }
    std::string joined;
    for (size_t i = 0; i < pieces.size(); ++i)
        joined += (i == 0 ? "" : " / ") + pieces[i];
    *text = std::move(joined);
    return true;
}

}  // namespace

// Reading stops where TagLib's reading of the whole tag would stop. False for any tag
// that reading could see otherwise (2.2, unsynchronised, an extended header, frames the
// lister cannot walk, a field's frame that is compressed, encrypted or holds text that
// does not decode).
bool ReadId3v2FieldsFromFieldFrames(std::string_view bytes, SId3v2Fields& fields) {
    fields = SId3v2Fields();
    SId3v2Header header;
    if (ParseId3v2Header(bytes, bytes.size(), header) != EId3v2Head::Tag || header.nVersion < 3 ||
        header.nFlags != (header.bFooter ? kId3v2FooterFlag : 0) ||
        header.nTagSize == kId3v2HeaderSize + (header.bFooter ? kId3v2HeaderSize : 0))
        return false;
    std::vector<SId3v2Frame> listed;
    size_t framesStart = 0;
    size_t framesEnd = 0;
    if (!ListId3v2Frames(bytes, header, listed, framesStart, framesEnd))
        return false;
    size_t bodyEnd = bytes.size() - (header.bFooter ? kId3v2HeaderSize : 0);
    std::string_view body = bytes.substr(0, bodyEnd);
    bool v4 = header.nVersion == 4;
    SFieldTexts texts;
    for (const SId3v2Frame& frame : listed) {
        size_t dataSize = frame.nSize - kId3v2HeaderSize;
        size_t dataStart = frame.nOffset + kId3v2HeaderSize;
        auto flags = static_cast<unsigned char>(bytes[frame.nOffset + 9]);
        // TagLib stops reading a tag at a frame too short to hold data.
        constexpr size_t kDataLengthSize = 4;
        if (dataSize == 0 || (v4 && (flags & kV4DataLengthFlag) && dataSize <= kDataLengthSize))
            break;
        // TagLib sizes a long 2.4 frame by what follows it (for taggers that wrote 2.3
        // sizes): when no frame follows at its size but one does at the plain number's,
        // it reads the frame otherwise.
        constexpr size_t kLongestUnpeekedData = 127;
        if (v4 && dataSize > kLongestUnpeekedData && !IsFrameIdAt(body, dataStart + dataSize) &&
            IsFrameIdAt(body, dataStart + BigEndianAt(bytes, frame.nOffset + 4)))
            return false;
        std::string_view id = ReadFrameId(frame.strId, header.nVersion);
        if (!IsOneOf(id, kFieldFrameIds))
            continue;
        if (flags & (v4 ? kV4DataFlags : kV3DataFlags))
            return false;
        if (!DecodeFieldFrame(id, bytes.substr(dataStart, dataSize), texts))
            return false;
    }
    fields.strTitle = texts.title.value_or("");
    fields.strArtist = texts.artist.value_or("");
    fields.strAlbum = texts.album.value_or("");
    fields.strYear = YearDigits(texts.date.value_or(""));
    SetGenre(texts.genres.value_or(std::vector<std::string>()), fields);
    fields.strComment = std::move(texts.comment);
    return true;
}

bool ReadId3v2Fields(std::string_view bytes, SId3v2Fields& fields) {
    if (ReadId3v2FieldsFromFieldFrames(bytes, fields))
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
