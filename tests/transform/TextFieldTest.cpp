#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/TextField.h"
#include "transform/Utf8Text.h"

namespace {

struct SCase {
    std::string strBefore;
    std::string strAfter;
};

void ExpectEach(const std::vector<SCase>& cases, const std::function<void(CTextField&)>& op) {
    for (const SCase& c : cases) {
        CTextField field(c.strBefore);
        op(field);
        EXPECT_EQ(field.Get(), c.strAfter) << "from '" << c.strBefore << "'";
    }
}

TEST(TextFieldCaseTest, SentenceCaseRaisesOnlyTheFirstAsciiLetter) {
    ExpectEach({{"hello. world", "Hello. world"},
                {"3 DOORS DOWN", "3 Doors down"},
                {"(live) SET", "(Live) set"},
                {"\xC3\xA9"
                 "COLE",
                 "\xC3\xA9"
                 "Cole"},  // éCOLE
                {"\xE9"
                 "COLE",
                 "\xE9"
                 "Cole"},  // the same in Latin-1: not UTF-8
                {"123 !?", "123 !?"},
                {"", ""}},
               [](CTextField& f) { f.SentenceCase(); });
}

TEST(TextFieldCaseTest, TitleCaseOpensWordsOnlyAfterSpaces) {
    ExpectEach({{"the_cat-and dog", "The_cat-and Dog"},
                {"fish.and.chips", "Fish.and.chips"},
                {"mp3s (live)", "Mp3s (live)"},
                {"a  b", "A  B"},
                {"McDONALD", "Mcdonald"},
                {"caf\xC3\xA9 \xC3\xA9t\xC3\xA9 ok", "Caf\xC3\xA9 \xC3\xA9t\xC3\xA9 Ok"},
                {"end ", "End "}},
               [](CTextField& f) { f.TitleCase(); });
}

TEST(TextFieldCaseTest, ToggleCaseFlipsAsciiLettersOnly) {
    ExpectEach({{"Hello World 2", "hELLO wORLD 2"},
                {"\xC3\x87"
                 "a VA",
                 "\xC3\x87"
                 "A va"},  // Ça VA: the Ç stays
                {"\xC9t\xC9", "\xC9T\xC9"}},
               [](CTextField& f) { f.ToggleCase(); });
    CTextField twice("Mixed CASE name 42");
    twice.ToggleCase();
    twice.ToggleCase();
    EXPECT_EQ(twice.Get(), "Mixed CASE name 42");
}

TEST(TextFieldCaseTest, WholeTextCaseIsUnicodeAwareForValidUtf8) {
    ExpectEach({{"MY SONG", "my song"},
                {"CAF\xC3\x89", "caf\xC3\xA9"},            // CAFÉ -> café
                {"\xCE\x9F\xCE\xA3", "\xCE\xBF\xCF\x82"},  // ΟΣ -> ος (final sigma)
                {"\xC9T\xC9 \xFF", "\xC9t\xC9 \xFF"}},     // not UTF-8: ASCII only
               [](CTextField& f) { f.MakeLower(); });
    ExpectEach({{"stra\xC3\x9F"
                 "e",
                 "STRASSE"},  // straße
                {"caf\xC3\xA9", "CAF\xC3\x89"},
                {"\xEF\xAC\x81x", "FIX"},    // the ligature ﬁ
                {"\xE9t\xE9", "\xE9T\xE9"},  // Latin-1: bytes kept
                {"ab\xC3", "AB\xC3"}},       // cut sequence at the end
               [](CTextField& f) { f.MakeUpper(); });
}

TEST(TextFieldWordTest, SwapExchangesThePartsAroundTheFirstMiddle) {
    auto swap = [](const std::string& middle) {
        return [middle](CTextField& f) { f.Swap(middle); };
    };
    ExpectEach({{"a - b - c", "b - c - a"}, {"Artist - Title", "Title - Artist"}, {"none", "none"}},
               swap(" - "));
    ExpectEach({{"Artist - Title", " Title-Artist "}}, swap("-"));
    ExpectEach({{"Artist - Title", "Artist - Title"}}, swap(""));
    ExpectEach({{"artist - title", "artist - title"}}, swap(" - TITLE"));
    // A middle string that would match half of a character is not an occurrence.
    ExpectEach({{"caf\xC3\xA9", "caf\xC3\xA9"}}, swap("\xA9"));
    ExpectEach({{"\xC3\xA9t\xC3\xA9 \xE2\x80\x93 hiver", "hiver \xE2\x80\x93 \xC3\xA9t\xC3\xA9"}},
               swap(" \xE2\x80\x93 "));  // an en dash as the middle string
}

TEST(TextFieldWordTest, InsertSpacesSplitsLowerUpperPairsOnly) {
    ExpectEach({{"theQuickBrownFox", "the Quick Brown Fox"},
                {"myHTMLPage", "my HTMLPage"},
                {"HTMLPage", "HTMLPage"},
                {"track01Intro", "track01Intro"},
                {"iPod", "i Pod"},
                {"caf\xC3\xA9Noir", "caf\xC3\xA9Noir"},
                {"a", "a"},
                {"", ""}},
               [](CTextField& f) { f.InsertSpaces(); });
    CTextField twice("theQuickBrownFox");
    twice.InsertSpaces();
    twice.InsertSpaces();
    EXPECT_EQ(twice.Get(), "the Quick Brown Fox");
}

struct SReplaceCase {
    std::string strText;
    std::string strFind;
    std::string strReplacement;
    bool bMatchCase;
    std::string strResult;
};

TEST(TextFieldReplaceTest, ReplacesEveryOccurrenceWithoutOverlap) {
    std::vector<SReplaceCase> cases = {
        {"xABCxabc", "abc", "d", false, "xdxd"},
        {"xABCxabc", "abc", "d", true, "xABCxd"},
        {"ABC", "abc", "x", true, "ABC"},
        {"aaaa", "aa", "b", true, "bb"},
        {"aaa", "aa", "b", true, "ba"},
        {"ab", "abc", "x", false, "ab"},
        {"ab", "", "x", false, "ab"},
        {"Song", "song", "Song", false, "Song"},
        // Uppercasing changes lengths: ß is "SS", ﬁ is "FI", dotless ı is "I".
        {"stra\xC3\x9F"
         "e",
         "SS", "ss", false, "strasse"},
        {"Stra\xC3\x9F"
         "e",
         "s", "_", false,
         "_tra\xC3\x9F"
         "e"},
        {"\xEF\xAC\x81x", "fix", "fix", false, "fix"},
        {"\xEF\xAC\x81x", "ix", "?", false, "\xEF\xAC\x81x"},
        {"\xC4\xB1"
         "a\xC4\xB1",
         "ia", "-", false, "-\xC4\xB1"},
        {"CAF\xC3\x89", "\xC3\xA9", "e", false, "CAFe"},
        {"CAF\xC3\x89", "\xC3\xA9", "e", true, "CAF\xC3\x89"},
        // Neither kind of search matches half of a character.
        {"caf\xC3\xA9", "\xA9", "x", true, "caf\xC3\xA9"},
        {"caf\xC3\xA9", "\xA9", "x", false, "caf\xC3\xA9"},
        // Text that is not UTF-8 keeps its stray bytes and still compares its letters.
        {"\xE9t\xE9", "T", "x", false, "\xE9x\xE9"},
        {"\xFF"
         "caf\xC3\xA9",
         "CAF\xC3\x89", "ok", false, "\xFFok"},
    };
    for (const SReplaceCase& c : cases) {
        CTextField field(c.strText);
        bool changed = field.Replace(c.strFind, c.strReplacement, c.bMatchCase);
        EXPECT_EQ(field.Get(), c.strResult) << c.strText << " / " << c.strFind;
        EXPECT_EQ(changed, c.strResult != c.strText) << c.strText << " / " << c.strFind;
    }
}

TEST(TextFieldReplaceTest, FindNoCaseGivesTheBytePositionInTheText) {
    EXPECT_EQ(CTextField("xABCx").FindNoCase("abc"), 1);
    EXPECT_EQ(CTextField("xABCx").FindNoCase("abd"), -1);
    EXPECT_EQ(CTextField("\xC3\x9F"
                         "a")
                  .FindNoCase("A"),
              2);  // ßa
    EXPECT_EQ(CTextField("\xC4\xB1"
                         "a")
                  .FindNoCase("A"),
              2);  // ıa
    EXPECT_EQ(CTextField("\xC4\xB1"
                         "a")
                  .FindNoCase("I"),
              0);
    EXPECT_EQ(CTextField("x\xC3\x9F").FindNoCase("s"), -1);  // never half of ß
    EXPECT_EQ(CTextField("abc").FindNoCase(""), -1);
}

TEST(TextFieldNumberTest, PadsAndPlacesTheNumber) {
    CTextField track("Track");
    EXPECT_EQ(track.WithNumber(7, 4, -1), "Track0007");
    EXPECT_EQ(track.WithNumber(123, 2, -1), "Track123");
    EXPECT_EQ(track.WithNumber(0, 2, -1), "Track00");
    EXPECT_EQ(track.WithNumber(7, 9, -1), "Track000007");  // at most five zeros
    EXPECT_EQ(track.WithNumber(7, 0, -1), "Track7");
    EXPECT_EQ(track.WithNumber(7, -3, -1), "Track7");
    EXPECT_EQ(track.WithNumber(10, 3, 0), "010Track");
    EXPECT_EQ(track.WithNumber(10, 3, 2), "Tr010ack");
    EXPECT_EQ(track.WithNumber(10, 3, 5), "Track010");
    EXPECT_EQ(track.WithNumber(10, 3, 6), "Track010");
    EXPECT_EQ(track.WithNumber(10, 3, -7), "Track010");
    EXPECT_EQ(track.Get(), "Track");
    // Zeros go after the sign, which counts towards the width.
    EXPECT_EQ(track.WithNumber(-3, 3, -1), "Track-03");
    EXPECT_EQ(track.WithNumber(20000000000LL, 2, -1), "Track20000000000");
}

TEST(TextFieldNumberTest, OffsetsCountCharactersNotBytes) {
    CTextField cafe("caf\xC3\xA9s");  // cafés: 5 characters, 6 bytes
    EXPECT_EQ(cafe.WithNumber(1, 2, 4),
              "caf\xC3\xA9"
              "01s");
    EXPECT_EQ(cafe.WithNumber(1, 2, 3), "caf01\xC3\xA9s");
    EXPECT_EQ(cafe.WithNumber(1, 2, 5), "caf\xC3\xA9s01");
    EXPECT_EQ(cafe.WithNumber(1, 2, 6), "caf\xC3\xA9s01");
    CTextField latin1("\xE9t\xE9");  // not UTF-8: each byte is a character
    EXPECT_EQ(latin1.WithNumber(1, 2, 1),
              "\xE9"
              "01t\xE9");
}

TEST(Utf8TextTest, ValidityBoundariesAndCounts) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("caf\xC3\xA9 \xF0\x9F\x98\x80"));
    for (const char* bad :
         {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE9t\xE9", "\xC3", "\xE2\x82", "\x80"})
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;

    std::string text = "a\xC3\xA9\xF0\x9F\x98\x80\xA9z";  // a é 😀 stray z
    std::vector<bool> boundaries;
    for (size_t pos = 0; pos <= text.size(); ++pos)
        boundaries.push_back(IsCharacterBoundary(text, pos));
    EXPECT_EQ(boundaries,
              (std::vector<bool>{true, true, false, true, false, false, false, true, true, true}));
    EXPECT_EQ(CharacterCount(text), 5u);
    EXPECT_EQ(ByteOffsetOfCharacter(text, 3), 7u);
    EXPECT_EQ(ByteOffsetOfCharacter(text, 99), text.size());
}

}  // namespace
