// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/Id3v2Update.h"

#include <taglib/commentsframe.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tstring.h>

#include <vector>

#include "model/GenreTable.h"
#include "mp3/Id3v2Layout.h"

namespace {

// Room left for later edits when a tag has to grow.
constexpr size_t kNewPadding = 1024;

constexpr char kLatin1 = 0;
constexpr char kUtf16 = 1;
constexpr char kUtf8 = 3;
constexpr unsigned char kUnsynchronisationFlag = 0x80;
constexpr unsigned char kExtendedHeaderFlag = 0x40;

std::string ToBytes(const TagLib::ByteVector& bytes) {
    return std::string(bytes.data(), bytes.size());
}

// A text in the plainest encoding the version offers for it, its encoding byte first.
std::string EncodedText(const std::string& utf8, int version, char& encoding) {
    TagLib::String text(utf8, TagLib::String::UTF8);
    if (text.isLatin1()) {
        encoding = kLatin1;
        return ToBytes(text.data(TagLib::String::Latin1));
    }
    encoding = version == 4 ? kUtf8 : kUtf16;
    return ToBytes(text.data(version == 4 ? TagLib::String::UTF8 : TagLib::String::UTF16));
}

std::string TextFrameData(const std::string& utf8, int version) {
    char encoding = kLatin1;
    std::string text = EncodedText(utf8, version, encoding);
    return std::string(1, encoding) + text;
}

bool IsWide(char encoding) {
    return encoding == 1 || encoding == 2;
}

// Whether a COMM frame's data has an empty description.
bool HasNoDescription(std::string_view data) {
    if (data.size() < 5)
        return true;
    std::string_view rest = data.substr(4);
    if (!IsWide(data[0]))
        return rest[0] == '\0';
    if (rest.size() >= 2 && ((rest[0] == '\xFF' && rest[1] == '\xFE') ||
                             (rest[0] == '\xFE' && rest[1] == '\xFF')))
        rest.remove_prefix(2);
    return rest.size() < 2 || (rest[0] == '\0' && rest[1] == '\0');
}

// A COMM frame with the text, keeping the language of the frame it replaces.
std::string CommentFrameData(const std::string& utf8, int version, std::string_view old) {
    char encoding = kLatin1;
    std::string text = EncodedText(utf8, version, encoding);
    std::string data(1, encoding);
    data += old.size() >= 4 ? std::string(old.substr(1, 3)) : std::string("eng");
    data.append(IsWide(encoding) ? 2 : 1, '\0');  // an empty description
    return data + text;
}

struct SFrameEdit {
    const char* pszId;
    std::optional<std::string> data;  // the new frame's data; none to remove the frame
};

std::string_view FrameData(std::string_view tag, const SId3v2Frame& frame) {
    return tag.substr(frame.nOffset + kId3v2HeaderSize, frame.nSize - kId3v2HeaderSize);
}

// The comment the tag reads as: the first without a description, else the first; the
// number of frames for none.
size_t ChosenComment(std::string_view tag, const std::vector<SId3v2Frame>& frames) {
    size_t chosen = frames.size();
    for (size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].strId != "COMM")
            continue;
        if (chosen == frames.size())
            chosen = i;
        if (HasNoDescription(FrameData(tag, frames[i])))
            return i;
    }
    return chosen;
}

// Puts each edit in place of the first frame with its id (or at the end of the frames) and
// drops the other frames with that id; a COMM edit replaces only the comment read.
std::string SplicedFrames(std::string_view tag, const std::vector<SId3v2Frame>& frames,
                          const std::vector<SFrameEdit>& edits, int version) {
    std::vector<bool> done(edits.size());
    size_t comment = ChosenComment(tag, frames);
    std::string out;
    for (size_t i = 0; i < frames.size(); ++i) {
        const SId3v2Frame& frame = frames[i];
        // A frame without data is none: TagLib stops reading the tag at it.
        if (frame.nSize == kId3v2HeaderSize)
            continue;
        size_t edit = 0;
        while (edit < edits.size() && frame.strId != edits[edit].pszId)
            ++edit;
        if (edit == edits.size() || (frame.strId == "COMM" && i != comment)) {
            out.append(tag.substr(frame.nOffset, frame.nSize));
            continue;
        }
        if (!done[edit] && edits[edit].data)
            out += Id3v2FrameBytes(frame.strId, *edits[edit].data, version);
        done[edit] = true;
    }
    for (size_t edit = 0; edit < edits.size(); ++edit)
        if (!done[edit] && edits[edit].data)
            out += Id3v2FrameBytes(edits[edit].pszId, *edits[edit].data, version);
    return out;
}

std::optional<std::string> TextEdit(const std::optional<std::string>& value, int version) {
    if (!value || value->empty())
        return std::nullopt;
    return TextFrameData(*value, version);
}

std::vector<SFrameEdit> FrameEdits(const SId3v2Change& change, int version,
                                   std::string_view oldComment) {
    std::vector<SFrameEdit> edits;
    if (change.title)
        edits.push_back({"TIT2", TextEdit(change.title, version)});
    if (change.artist)
        edits.push_back({"TPE1", TextEdit(change.artist, version)});
    if (change.album)
        edits.push_back({"TALB", TextEdit(change.album, version)});
    if (change.year)
        edits.push_back({version == 4 ? "TDRC" : "TYER", TextEdit(change.year, version)});
    if (change.genre)
        edits.push_back({"TCON", *change.genre < 0
                                     ? std::nullopt
                                     : TextEdit(GenreName(*change.genre), version)});
    if (change.comment)
        edits.push_back({"COMM", change.comment->empty()
                                     ? std::nullopt
                                     : std::optional(CommentFrameData(*change.comment, version,
                                                                      oldComment))});
    return edits;
}

// Header, extended header and frames, then padding: to the old size when it fits.
std::string Assemble(const SId3v2Header& header, std::string_view prefix,
                     const std::string& frames, size_t oldSize) {
    size_t used = kId3v2HeaderSize + prefix.size() + frames.size();
    size_t footer = header.bFooter ? kId3v2HeaderSize : 0;
    size_t size = used + footer;
    // A tag with a footer has no padding.
    if (!header.bFooter)
        size = used <= oldSize ? oldSize : used + kNewPadding;
    size_t body = size - kId3v2HeaderSize - footer;
    unsigned char flags = header.nFlags & static_cast<unsigned char>(~kUnsynchronisationFlag);
    std::string out = Id3v2HeaderBytes(header.nVersion, flags, body);
    out.append(prefix);
    out += frames;
    out.resize(size - footer, '\0');
    if (header.bFooter)
        out += Id3v2HeaderBytes(header.nVersion, flags, body, true);
    return out;
}

// The comment the tag reads as (the first without a description, else the first) takes
// the text; an empty text removes it.
void SetComment(TagLib::ID3v2::Tag& tag, const TagLib::String& text) {
    TagLib::ID3v2::CommentsFrame* chosen = nullptr;
    for (TagLib::ID3v2::Frame* frame : tag.frameListMap()["COMM"]) {
        auto* comment = dynamic_cast<TagLib::ID3v2::CommentsFrame*>(frame);
        if (comment && (chosen == nullptr || (comment->description().isEmpty() &&
                                              !chosen->description().isEmpty())))
            chosen = comment;
    }
    if (chosen && text.isEmpty()) {
        tag.removeFrame(chosen);
        return;
    }
    if (text.isEmpty())
        return;
    if (chosen == nullptr) {
        chosen = new TagLib::ID3v2::CommentsFrame(TagLib::String::UTF8);
        tag.addFrame(chosen);
    }
    chosen->setText(text);
}

// A tag only TagLib writes: a 2.2 tag (as 2.3) or a 2.4 tag unsynchronised as a whole.
EId3v2Update RenderThroughTagLib(std::string_view oldTag, const SId3v2Header& header,
                                 const SId3v2Change& change, std::string& newTag) {
    TagLib::ByteVector data(oldTag.data(), static_cast<unsigned int>(oldTag.size()));
    TagLib::ByteVectorStream stream(data);
    TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    TagLib::ID3v2::Tag* tag = file.hasID3v2Tag() ? file.ID3v2Tag() : nullptr;
    if (tag == nullptr)
        return EId3v2Update::Failed;
    auto text = [](const std::string& utf8) { return TagLib::String(utf8, TagLib::String::UTF8); };
    // Frames TagLib could not make sense of stay unknown, and it would set no text in them:
    // the field's frames go and a new one is made.
    auto set = [&](const char* id, const std::optional<std::string>& value) {
        if (!value)
            return;
        tag->removeFrames(id);
        if (!value->empty()) {
            auto* frame = new TagLib::ID3v2::TextIdentificationFrame(id, TagLib::String::UTF8);
            frame->setText(text(*value));
            tag->addFrame(frame);
        }
    };
    set("TIT2", change.title);
    set("TPE1", change.artist);
    set("TALB", change.album);
    set("TDRC", change.year);
    if (change.genre)
        set("TCON", *change.genre < 0 ? std::string() : GenreName(*change.genre));
    if (change.comment)
        SetComment(*tag, text(*change.comment));
    bool converted = header.nVersion == 2;
    newTag = ToBytes(tag->render(converted ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4));
    // TagLib trims long padding; a tag that fits keeps the old room, to be written in place.
    SId3v2Header rendered;
    if (ParseId3v2Header(newTag, newTag.size(), rendered) == EId3v2Head::Tag &&
        !rendered.bFooter && newTag.size() < oldTag.size()) {
        newTag = Id3v2HeaderBytes(rendered.nVersion, rendered.nFlags,
                                  oldTag.size() - kId3v2HeaderSize) +
                 newTag.substr(kId3v2HeaderSize);
        newTag.resize(oldTag.size(), '\0');
    }
    return converted ? EId3v2Update::Converted : EId3v2Update::Updated;
}

}  // namespace

EId3v2Update UpdateId3v2Tag(std::string_view oldTag, const SId3v2Header& given,
                            const SId3v2Change& change, std::string& newTag) {
    SId3v2Header header = given;
    if (oldTag.empty()) {
        header = SId3v2Header();
        header.nVersion = 3;
        std::string frames = SplicedFrames("", {}, FrameEdits(change, 3, ""), 3);
        newTag = Assemble(header, "", frames, 0);
        return EId3v2Update::Updated;
    }
    if (header.nVersion == 2 || (header.nVersion == 4 && header.bUnsynchronised))
        return RenderThroughTagLib(oldTag, header, change, newTag);
    std::string resynchronised;
    if (header.bUnsynchronised) {
        // 2.3 unsynchronises the whole body; the new tag is written without it.
        resynchronised = Id3v2HeaderBytes(3, header.nFlags & ~kUnsynchronisationFlag, 0) +
                         ResynchroniseBody(oldTag.substr(kId3v2HeaderSize));
        oldTag = resynchronised;
        header.bUnsynchronised = false;
    }
    std::vector<SId3v2Frame> frames;
    size_t framesStart = 0;
    size_t framesEnd = 0;
    if (!ListId3v2Frames(oldTag, header, frames, framesStart, framesEnd))
        return EId3v2Update::Failed;
    size_t comment = ChosenComment(oldTag, frames);
    std::string_view oldComment =
        comment < frames.size() ? FrameData(oldTag, frames[comment]) : std::string_view();
    std::string spliced =
        SplicedFrames(oldTag, frames, FrameEdits(change, header.nVersion, oldComment),
                      header.nVersion);
    size_t oldSize = given.nTagSize - (header.bFooter ? kId3v2HeaderSize : 0);
    // An extended header says little a changed tag can keep (a checksum of the old frames,
    // a padding size, "an update of an earlier tag"), and TagLib misreads a 2.3 one's size
    // and any one's that is damaged: the new tag goes without it, as TagLib writes tags.
    header.nFlags &= static_cast<unsigned char>(~kExtendedHeaderFlag);
    newTag = Assemble(header, "", spliced, oldSize);
    return EId3v2Update::Updated;
}
