// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/TextField.h"
#include "model/Utf8Text.h"

// UTF-8 text is written with \u escapes, single Latin-1 bytes (not UTF-8) in octal.
namespace {

// The texts come in pairs: each text before, then after the operation.
void ExpectEach(const std::vector<std::string>& pairs, const std::function<void(CTextField&)>& op) {
    for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
        CTextField field(pairs[i]);
        op(field);
        EXPECT_EQ(field.Get(), pairs[i + 1]) << "from '" << pairs[i] << "'";
    }
}

// Only a space opens a word; whole-text case keeps the context of a final sigma and every
// byte that is not UTF-8. Names of other scripts: TextFieldCaseTest.cpp.
TEST(TextFieldCaseTest, EachCaseChangesTheLettersItShould) {
    ExpectEach({"hello. world", "Hello. world"}, &CTextField::SentenceCase);
    ExpectEach({"the_cat-and dog", "The_cat-and Dog", "a  b", "A  B", "McDONALD", "Mcdonald"},
               &CTextField::TitleCase);
    ExpectEach({"\311t\311", "\311T\311", "azAZ@[`{", "AZaz@[`{"}, &CTextField::ToggleCase);
    ExpectEach({"\u039f\u03a3", "\u03bf\u03c2",         // final sigma
                "\311TZ\311 \377", "\311tz\311 \377"},  // not UTF-8
               &CTextField::MakeLower);
    ExpectEach({"stra\u00dfe", "STRASSE", "az\303", "AZ\303"},  // a sequence cut at the end
               &CTextField::MakeUpper);
}

TEST(TextFieldWordTest, SwapAndInsertSpaces) {
    ExpectEach({"a - b - c", "b - c - a", "none", "none"}, [](CTextField& f) { f.Swap(" - "); });
    // Never half of a character.
    ExpectEach({"caf\u00e9", "caf\u00e9"}, [](CTextField& f) { f.Swap("\251"); });
    ExpectEach({"theQuickBrownFox", "the Quick Brown Fox", "myHTMLPage", "my HTMLPage", "zA", "z A",
                "`A", "`A"},
               &CTextField::InsertSpaces);
}

TEST(TextFieldReplaceTest, ReplacesEveryOccurrenceWithoutOverlap) {
    // The text, what to find, its replacement, whether case matters, and the result.
    std::tuple<std::string, std::string, std::string, bool, std::string> cases[] = {
        {"xABCxabc", "abc", "d", false, "xdxd"},
        {"xABCxabc", "abc", "d", true, "xABCxd"},
        {"aaa", "aa", "b", true, "ba"},
        {"ab", "", "x", false, "ab"},
        {"Song", "song", "Song", false, "Song"},
        // Uppercasing changes lengths: the sharp s is "SS".
        {"stra\u00dfe", "SS", "ss", false, "strasse"},
        // Neither kind of search matches half of a character.
        {"caf\u00e9", "\251", "x", false, "caf\u00e9"},
        // Text that is not UTF-8 keeps its stray bytes and still compares its letters.
        {"\377caf\u00e9", "CAF\u00c9", "ok", false, "\377ok"}};
    for (const auto& [text, find, replacement, matchCase, result] : cases) {
        SCOPED_TRACE(text + " / " + find);
        CTextField field(text);
        EXPECT_EQ(field.Replace(find, replacement, matchCase), result != text);
        EXPECT_EQ(field.Get(), result);
    }
}

TEST(TextFieldNumberTest, NumbersArePlacedCountingCharactersNotBytes) {
    CTextField track("Track");
    std::tuple<long long, int, int, const char*> cases[] = {
        {7, 9, -1, "Track000007"},  // at most five zeros
        {10, 3, 0, "010Track"},
        {10, 3, 6, "Track010"},
        {-3, 3, -1, "Track-03"},  // zeros go after the sign, which counts towards the width
        {20000000000LL, 2, -1, "Track20000000000"}};
    for (const auto& [number, digits, offset, result] : cases)
        EXPECT_EQ(track.WithNumber(number, digits, offset), result) << number << "/" << offset;
    CTextField cafe("caf\u00e9s");  // 5 characters, 6 bytes
    EXPECT_EQ(cafe.WithNumber(1, 2, 4), "caf\u00e901s");
    EXPECT_EQ(CTextField("\351t\351").WithNumber(1, 2, 1), "\35101t\351");  // a byte each
    EXPECT_TRUE(IsValidUtf8("caf\u00e9 \U0001F600"));
    for (const char* bad : {"\300\257", "\355\240\200", "\364\220\200\200", "\303", "\200"})
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
    // Each byte of a cut sequence counts alone.
    EXPECT_EQ(CharacterCount("a\u00e9\U0001F600\251\342\202z"), 7u);
}

}  // namespace
