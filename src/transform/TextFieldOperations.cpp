#include "transform/TextFieldOperations.h"

#include <algorithm>
#include <vector>

#include "transform/Utf8Text.h"

namespace {

bool IsAsciiLower(char c) {
    return c >= 'a' && c <= 'z';
}

bool IsAsciiUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

char ChangeCase(char c) {
    return static_cast<char>(c ^ 0x20);
}

void SentenceCaseText(std::string& text) {
    MakeLowerText(text);
    for (char& c : text) {
        if (IsAsciiLower(c)) {
            c = ChangeCase(c);
            break;
        }
    }
}

// Changes a field's text in place.
template <class Change>
void ChangeText(CTextField& field, Change&& change) {
    std::string text = field.Take();
    change(text);
    field.Set(std::move(text));
}

}  // namespace

void MakeLower(CTextField& field) {
    ChangeText(field, [](std::string& text) { MakeLowerText(text); });
}

void MakeUpper(CTextField& field) {
    ChangeText(field, [](std::string& text) { MakeUpperText(text); });
}

void SentenceCase(CTextField& field) {
    ChangeText(field, SentenceCaseText);
}

void TitleCase(CTextField& field) {
    ChangeText(field, [](std::string& text) {
        SentenceCaseText(text);
        for (size_t i = 0; i + 1 < text.size(); ++i)
            if (text[i] == ' ' && IsAsciiLower(text[i + 1]))
                text[i + 1] = ChangeCase(text[i + 1]);
    });
}

void ToggleCase(CTextField& field) {
    ChangeText(field, [](std::string& text) {
        for (char& c : text)
            if (IsAsciiLower(c) || IsAsciiUpper(c))
                c = ChangeCase(c);
    });
}

void Swap(CTextField& field, const std::string& middle) {
    if (middle.empty())
        return;
    ChangeText(field, [&](std::string& text) {
        size_t pos = FindText(text, middle, true);
        if (pos == std::string::npos)
            return;
        // before + middle + after becomes after + middle + before, in place: the first
        // rotation gives middle + after + before, the second turns middle + after around.
        std::rotate(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(pos), text.end());
        size_t moved = text.size() - pos;
        std::rotate(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(middle.size()),
                    text.begin() + static_cast<std::ptrdiff_t>(moved));
    });
}

void InsertSpaces(CTextField& field) {
    ChangeText(field, [](std::string& text) {
        auto splitsBefore = [&text](size_t i) {
            return i > 0 && IsAsciiUpper(text[i]) && IsAsciiLower(text[i - 1]);
        };
        size_t spaces = 0;
        for (size_t i = 1; i < text.size(); ++i)
            spaces += splitsBefore(i) ? 1 : 0;
        if (spaces == 0)
            return;
        // Filled from the back, so every byte is read before its place is written.
        size_t from = text.size();
        text.resize(text.size() + spaces);
        size_t to = text.size();
        while (from > 0) {
            --from;
            text[--to] = text[from];
            if (splitsBefore(from))
                text[--to] = ' ';
        }
    });
}

int FindNoCase(const CTextField& field, const std::string& find) {
    size_t pos = FindText(field.Get(), find, false);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

bool Replace(CTextField& field, const std::string& find, const std::string& replacement,
             bool matchCase) {
    const std::string& text = field.Get();
    // Working buffers kept between calls: replacing in many rows allocates once.
    thread_local std::vector<STextSpan> spans;
    thread_local std::string out;
    FindAllText(text, find, matchCase, spans);
    if (spans.empty())
        return false;
    out.clear();
    const size_t longest = std::max(kMaxNameBytes, text.size());
    size_t done = 0;
    for (const STextSpan& span : spans) {
        out.append(text, done, span.nBegin - done);
        out += replacement;
        done = span.nEnd;
        if (out.size() > longest)
            break;
    }
    if (out.size() <= longest)
        out.append(text, done);
    if (out.size() > longest)
        out.resize(longest + 1);
    if (out == text)
        return false;
    field.Set(out);
    return true;
}

std::string WithNumber(const CTextField& field, long long number, int digits, int offset) {
    const std::string& text = field.Get();
    std::string magnitude = std::to_string(number);
    std::string sign;
    if (number < 0) {
        sign = "-";
        magnitude.erase(0, 1);
    }
    // The zeros go between the sign and the digits; the width counts the sign.
    int width = static_cast<int>(sign.size() + magnitude.size());
    if (width < digits)
        magnitude.insert(0, static_cast<size_t>(std::min(digits - width, 5)), '0');
    std::string numberText = sign + magnitude;

    if (offset < 0 || static_cast<size_t>(offset) > CharacterCount(text))
        return text + numberText;
    size_t pos = ByteOffsetOfCharacter(text, static_cast<size_t>(offset));
    return text.substr(0, pos) + numberText + text.substr(pos);
}
