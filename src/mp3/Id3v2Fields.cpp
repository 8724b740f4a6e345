// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/Id3v2Fields.h"

#include <taglib/commentsframe.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/textidentificationframe.h>

#include <cctype>

#include "model/GenreTable.h"

namespace {

std::string Utf8(const TagLib::String& text) {
    return text.to8Bit(true);
}

// The text of the first frame with the id, its fields joined by " / ".
std::string FrameText(const TagLib::ID3v2::Tag& tag, const char* id) {
    const TagLib::ID3v2::FrameList& frames = tag.frameListMap()[id];
    if (frames.isEmpty())
        return "";
    if (auto* text = dynamic_cast<TagLib::ID3v2::TextIdentificationFrame*>(frames.front()))
        return Utf8(text->fieldList().toString(" / "));
    return Utf8(frames.front()->toString());
}

// The leading digits of the text, at most four.
std::string YearDigits(const std::string& text) {
    size_t n = 0;
    while (n < text.size() && n < 4 && std::isdigit(static_cast<unsigned char>(text[n])))
        ++n;
    return text.substr(0, n);
}

std::vector<std::string> TconFields(const TagLib::ID3v2::Tag& tag) {
    std::vector<std::string> fields;
    const TagLib::ID3v2::FrameList& frames = tag.frameListMap()["TCON"];
    if (frames.isEmpty())
        return fields;
    if (auto* text = dynamic_cast<TagLib::ID3v2::TextIdentificationFrame*>(frames.front()))
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

bool ReadId3v2Fields(std::string_view bytes, SId3v2Fields& fields) {
    fields = SId3v2Fields();
    TagLib::ByteVector data(bytes.data(), static_cast<unsigned int>(bytes.size()));
    TagLib::ByteVectorStream stream(data);
    TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    TagLib::ID3v2::Tag* tag = file.hasID3v2Tag() ? file.ID3v2Tag() : nullptr;
    if (tag == nullptr)
        return false;
    fields.strTitle = FrameText(*tag, "TIT2");
    fields.strArtist = FrameText(*tag, "TPE1");
    fields.strAlbum = FrameText(*tag, "TALB");
    // TagLib reads a 2.3 tag's TYER as TDRC.
    fields.strYear = YearDigits(FrameText(*tag, "TDRC"));
    std::vector<std::string> tcon = TconFields(*tag);
    fields.nGenre = GenreOfTcon(tcon);
    fields.bForeignGenre = fields.nGenre < 0 && !tcon.empty();
    // The comment is the first without a description, else the first.
    const TagLib::ID3v2::FrameList& comments = tag->frameListMap()["COMM"];
    const TagLib::ID3v2::CommentsFrame* chosen = nullptr;
    for (TagLib::ID3v2::Frame* frame : comments) {
        auto* comment = dynamic_cast<TagLib::ID3v2::CommentsFrame*>(frame);
        if (comment && (chosen == nullptr || (comment->description().isEmpty() &&
                                              !chosen->description().isEmpty())))
            chosen = comment;
    }
    if (chosen)
        fields.strComment = Utf8(chosen->text());
    return true;
}
