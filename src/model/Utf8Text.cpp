// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Utf8Text.h"

#include <unicode/ucasemap.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <memory>

namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
}

// ICU's case mapper for the root locale, one per thread (a mapper is not shared).
const UCaseMap* RootCaseMap() {
    struct SClose {
        void operator()(UCaseMap* map) const { ucasemap_close(map); }
    };
    thread_local std::unique_ptr<UCaseMap, SClose> map = [] {
        UErrorCode error = U_ZERO_ERROR;
        return std::unique_ptr<UCaseMap, SClose>(ucasemap_open("", 0, &error));
    }();
    return map.get();
}

using FCaseMap = int32_t (*)(const UCaseMap*, char*, int32_t, const char*, int32_t, UErrorCode*);

// Maps valid UTF-8 through ICU; on any failure the text comes back unchanged.
std::string MapWithIcu(std::string_view text, FCaseMap map) {
    const UCaseMap* caseMap = RootCaseMap();
    if (caseMap == nullptr || text.size() > INT32_MAX / 4)
        return std::string(text);
    // Case mapping grows a text at most threefold; should it ever grow more, ICU reports
    // the length it needs and the mapping runs once more.
    std::string out(text.size() * 3 + 4, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        UErrorCode error = U_ZERO_ERROR;
        int32_t length = map(caseMap, out.data(), static_cast<int32_t>(out.size()), text.data(),
                             static_cast<int32_t>(text.size()), &error);
        if (error == U_BUFFER_OVERFLOW_ERROR) {
            out.assign(static_cast<size_t>(length), '\0');
            continue;
        }
        if (U_FAILURE(error))
            break;
        out.resize(static_cast<size_t>(length));
        return out;
    }
    return std::string(text);
}

// Whole-text case mapping: byte by byte for ASCII text; otherwise each well-formed run goes
// through ICU as a whole (so that a letter's context, such as a word-final sigma, counts)
// and every byte outside a well-formed sequence is kept as it is.
void MapCase(std::string& text, FCaseMap map, char (*ascii)(char)) {
    if (IsAscii(text)) {
        for (char& c : text)
            c = ascii(c);
        return;
    }
    std::string out;
    size_t runStart = 0;
    for (size_t pos = 0; pos < text.size();) {
        size_t start = pos;
        if (NextCharacter(text, pos) >= 0)
            continue;
        out += MapWithIcu(std::string_view(text).substr(runStart, start - runStart), map);
        out += text[start];
        runStart = pos;
    }
    out += MapWithIcu(std::string_view(text).substr(runStart), map);
    text = std::move(out);
}

// The uppercase of one character, as the no-case comparison sees it.
void AppendUpperCharacter(std::string& out, std::string_view character) {
    if (character.size() == 1) {
        out.push_back(AsciiUpper(character[0]));
        return;
    }
    out += MapWithIcu(character, ucasemap_utf8ToUpper);
}

// A text in its character-by-character uppercase, with where each character begins in
// the uppercase and in the text. Rebuilt for every text searched; the buffers are kept
// between searches so that a search over many rows does not allocate for each.
struct SUpperText {
    std::string strUpper;
    std::vector<int32_t> characterAt;  // per uppercase byte position: character index or -1
    std::vector<size_t> textStart;     // per character index: byte position in the text

    void Build(std::string_view text) {
        strUpper.clear();
        characterAt.clear();
        textStart.clear();
        for (size_t pos = 0; pos < text.size();) {
            size_t length = CharacterLength(text, pos);
            MarkCharacter(pos);
            AppendUpperCharacter(strUpper, text.substr(pos, length));
            pos += length;
        }
        MarkCharacter(text.size());
    }

private:
    void MarkCharacter(size_t textPos) {
        characterAt.resize(strUpper.size() + 1, -1);
        characterAt[strUpper.size()] = static_cast<int32_t>(textStart.size());
        textStart.push_back(textPos);
    }
};

std::string UpperByCharacter(std::string_view text) {
    std::string upper;
    for (size_t pos = 0; pos < text.size();) {
        size_t length = CharacterLength(text, pos);
        AppendUpperCharacter(upper, text.substr(pos, length));
        pos += length;
    }
    return upper;
}

// The searches below append at most limit spans.
void FindBytes(std::string_view text, std::string_view find, size_t limit,
               std::vector<STextSpan>& spans) {
    bool checkBoundaries = !IsAscii(text);
    for (size_t pos = text.find(find); pos != std::string_view::npos && spans.size() < limit;) {
        size_t end = pos + find.size();
        if (checkBoundaries &&
            (!IsCharacterBoundary(text, pos) || !IsCharacterBoundary(text, end))) {
            pos = text.find(find, pos + 1);
            continue;
        }
        spans.push_back({pos, end});
        pos = text.find(find, end);
    }
}

bool AsciiEqualNoCase(std::string_view text, size_t pos, std::string_view find) {
    for (size_t i = 0; i < find.size(); ++i)
        if (AsciiUpper(text[pos + i]) != AsciiUpper(find[i]))
            return false;
    return true;
}

void FindAsciiNoCase(std::string_view text, std::string_view find, size_t limit,
                     std::vector<STextSpan>& spans) {
    for (size_t pos = 0; pos + find.size() <= text.size() && spans.size() < limit;) {
        if (AsciiEqualNoCase(text, pos, find)) {
            spans.push_back({pos, pos + find.size()});
            pos += find.size();
        } else {
            ++pos;
        }
    }
}

void FindUnicodeNoCase(std::string_view text, std::string_view find, size_t limit,
                       std::vector<STextSpan>& spans) {
    thread_local SUpperText upper;
    upper.Build(text);
    std::string upperFind = UpperByCharacter(find);
    std::string_view haystack = upper.strUpper;
    for (size_t pos = 0; pos + upperFind.size() <= haystack.size() && spans.size() < limit;) {
        size_t end = pos + upperFind.size();
        int32_t first = upper.characterAt[pos];
        int32_t last = upper.characterAt[end];
        if (first >= 0 && last >= 0 && haystack.compare(pos, upperFind.size(), upperFind) == 0) {
            spans.push_back({upper.textStart[static_cast<size_t>(first)],
                             upper.textStart[static_cast<size_t>(last)]});
            pos = end;
        } else {
            ++pos;
        }
    }
}

void FindSpans(std::string_view text, std::string_view find, bool matchCase, size_t limit,
               std::vector<STextSpan>& spans) {
    if (find.empty())
        return;
    if (matchCase)
        FindBytes(text, find, limit, spans);
    else if (IsAscii(text) && IsAscii(find))
        FindAsciiNoCase(text, find, limit, spans);
    else
        FindUnicodeNoCase(text, find, limit, spans);
}

}  // namespace

int32_t NextCharacter(std::string_view text, size_t& pos) {
    // ICU counts in int32_t: it is shown no more than one character's bytes.
    const char* start = text.data() + pos;
    auto length = static_cast<int32_t>(std::min<size_t>(text.size() - pos, U8_MAX_LENGTH));
    int32_t used = 0;
    UChar32 codePoint = 0;
    U8_NEXT(start, used, length, codePoint);
    pos += codePoint < 0 ? 1 : static_cast<size_t>(used);
    return codePoint < 0 ? -1 : codePoint;
}

void AppendCharacter(std::string& text, int32_t codePoint) {
    char bytes[U8_MAX_LENGTH];
    int32_t length = 0;
    U8_APPEND_UNSAFE(bytes, length, codePoint);
    text.append(bytes, static_cast<size_t>(length));
}

size_t CharacterLength(std::string_view text, size_t pos) {
    size_t next = pos;
    NextCharacter(text, next);
    return next - pos;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return U8_IS_SINGLE(c); });
}

bool IsValidUtf8(std::string_view text) {
    for (size_t pos = 0; pos < text.size();)
        if (NextCharacter(text, pos) < 0)
            return false;
    return true;
}

bool IsCharacterBoundary(std::string_view text, size_t pos) {
    if (pos == 0 || pos >= text.size())
        return pos <= text.size();
    if (!U8_IS_TRAIL(text[pos]))
        return true;
    // A lead byte is never part of another character, so the character holding pos (if
    // any) starts at the nearest non-continuation byte at most three bytes back.
    for (size_t back = 1; back <= 3 && back <= pos; ++back) {
        size_t start = pos - back;
        if (!U8_IS_TRAIL(text[start]))
            return CharacterLength(text, start) <= back;
    }
    return true;
}

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (size_t pos = 0; pos < text.size(); pos += CharacterLength(text, pos))
        ++count;
    return count;
}

size_t ByteOffsetOfCharacter(std::string_view text, size_t count) {
    size_t pos = 0;
    for (; count > 0 && pos < text.size(); --count)
        pos += CharacterLength(text, pos);
    return pos;
}

void MakeLowerText(std::string& text) {
    MapCase(text, ucasemap_utf8ToLower, AsciiLower);
}

void MakeUpperText(std::string& text) {
    MapCase(text, ucasemap_utf8ToUpper, AsciiUpper);
}

std::vector<STextSpan> FindAllText(std::string_view text, std::string_view find, bool matchCase) {
    std::vector<STextSpan> spans;
    FindSpans(text, find, matchCase, SIZE_MAX, spans);
    return spans;
}

void FindAllText(std::string_view text, std::string_view find, bool matchCase,
                 std::vector<STextSpan>& spans) {
    spans.clear();
    FindSpans(text, find, matchCase, SIZE_MAX, spans);
}

size_t FindText(std::string_view text, std::string_view find, bool matchCase) {
    thread_local std::vector<STextSpan> spans;
    spans.clear();
    FindSpans(text, find, matchCase, 1, spans);
    return spans.empty() ? std::string::npos : spans.front().nBegin;
}
