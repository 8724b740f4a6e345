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

TEST(TextFieldCaseTest, SentenceTitleAndToggleCaseTouchAsciiLettersOnly) {
    ExpectEach(
        {"hello. world", "Hello. world", "3 DOORS DOWN", "3 Doors down", "(live) SET", "(Live) set",
         "\u00e9COLE", "\u00e9Cole", "\351COLE", "\351Cole", "123 !?", "123 !?", "", ""},
        [](CTextField& f) { f.SentenceCase(); });
    // Title case opens words only after spaces.
    ExpectEach({"the_cat-and dog", "The_cat-and Dog", "fish.and.chips", "Fish.and.chips",
                "mp3s (live)", "Mp3s (live)", "a  b", "A  B", "McDONALD", "Mcdonald",
                "caf\u00e9 \u00e9t\u00e9 ok", "Caf\u00e9 \u00e9t\u00e9 Ok", "end ", "End "},
               [](CTextField& f) { f.TitleCase(); });
    ExpectEach(
        {"Hello World 2", "hELLO wORLD 2", "\u00c7a VA", "\u00c7A va", "\311t\311", "\311T\311",
         "azAZ@[`{", "AZaz@[`{"},  // the first and last letters and the bytes beside them
        [](CTextField& f) { f.ToggleCase(); });
}

TEST(TextFieldCaseTest, WholeTextCaseIsUnicodeAwareForValidUtf8) {
    ExpectEach({"MY SONG", "my song", "CAF\u00c9", "caf\u00e9", "\u039f\u03a3",
                "\u03bf\u03c2",                       // final sigma
                "\311T\311 \377", "\311t\311 \377"},  // not UTF-8: ASCII only
               [](CTextField& f) { f.MakeLower(); });
    ExpectEach(
        {"stra\u00dfe", "STRASSE", "caf\u00e9", "CAF\u00c9", "\ufb01x", "FIX",  // the ligature fi
         "\351t\351", "\351T\351", "ab\303", "AB\303"},  // cut sequence at the end
        [](CTextField& f) { f.MakeUpper(); });
}

TEST(TextFieldWordTest, SwapExchangesThePartsAroundTheFirstMiddle) {
    auto swap = [](const std::string& middle) {
        return [middle](CTextField& f) { f.Swap(middle); };
    };
    ExpectEach({"a - b - c", "b - c - a", "Artist - Title", "Title - Artist", "none", "none"},
               swap(" - "));
    ExpectEach({"Artist - Title", " Title-Artist "}, swap("-"));
    ExpectEach({"Artist - Title", "Artist - Title"}, swap(""));
    ExpectEach({"artist - title", "artist - title"}, swap(" - TITLE"));
    // A middle string that would match half of a character is not an occurrence.
    ExpectEach({"caf\u00e9", "caf\u00e9"}, swap("\251"));
    ExpectEach({"\u00e9t\u00e9 \u2013 hiver", "hiver \u2013 \u00e9t\u00e9"}, swap(" \u2013 "));
}

TEST(TextFieldWordTest, InsertSpacesSplitsLowerUpperPairsOnly) {
    ExpectEach({"theQuickBrownFox", "the Quick Brown Fox", "myHTMLPage", "my HTMLPage", "HTMLPage",
                "HTMLPage", "track01Intro", "track01Intro", "iPod", "i Pod", "caf\u00e9Noir",
                "caf\u00e9Noir", "zA", "z A", "aZ", "a Z", "`A", "`A", "a", "a", "", ""},
               [](CTextField& f) { f.InsertSpaces(); });
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
        // Uppercasing changes lengths: the sharp s is "SS", the ligature fi "FI", the
        // dotless i "I".
        {"stra\u00dfe", "SS", "ss", false, "strasse"},
        {"Stra\u00dfe", "s", "_", false, "_tra\u00dfe"},
        {"\ufb01x", "fix", "fix", false, "fix"},
        {"\ufb01x", "ix", "?", false, "\ufb01x"},
        {"\u0131a\u0131", "ia", "-", false, "-\u0131"},
        {"CAF\u00c9", "\u00e9", "e", false, "CAFe"},
        {"CAF\u00c9", "\u00e9", "e", true, "CAF\u00c9"},
        // Neither kind of search matches half of a character.
        {"caf\u00e9", "\251", "x", true, "caf\u00e9"},
        {"caf\u00e9", "\251", "x", false, "caf\u00e9"},
        // Text that is not UTF-8 keeps its stray bytes and still compares its letters.
        {"\351t\351", "T", "x", false, "\351x\351"},
        {"\377caf\u00e9", "CAF\u00c9", "ok", false, "\377ok"}};
    for (const SReplaceCase& c : cases) {
        CTextField field(c.strText);
        bool changed = field.Replace(c.strFind, c.strReplacement, c.bMatchCase);
        EXPECT_EQ(field.Get(), c.strResult) << c.strText << " / " << c.strFind;
        EXPECT_EQ(changed, c.strResult != c.strText) << c.strText << " / " << c.strFind;
    }
}

TEST(TextFieldNumberTest, PadsAndPlacesTheNumberCountingCharactersNotBytes) {
    CTextField track("Track");
    std::tuple<long long, int, int, const char*> cases[] = {
        {7, 4, -1, "Track0007"},
        {123, 2, -1, "Track123"},
        {0, 2, -1, "Track00"},
        {7, 9, -1, "Track000007"},  // at most five zeros
        {7, 0, -1, "Track7"},
        {7, -3, -1, "Track7"},
        {10, 3, 0, "010Track"},
        {10, 3, 2, "Tr010ack"},
        {10, 3, 5, "Track010"},
        {10, 3, 6, "Track010"},
        {10, 3, -7, "Track010"},
        {-3, 3, -1, "Track-03"},  // zeros go after the sign, which counts towards the width
        {20000000000LL, 2, -1, "Track20000000000"}};
    for (const auto& [number, digits, offset, result] : cases)
        EXPECT_EQ(track.WithNumber(number, digits, offset), result) << number << "/" << offset;
    EXPECT_EQ(track.Get(), "Track");

    CTextField cafe("caf\u00e9s");  // 5 characters, 6 bytes
    EXPECT_EQ(cafe.WithNumber(1, 2, 4), "caf\u00e901s");
    EXPECT_EQ(cafe.WithNumber(1, 2, 3), "caf01\u00e9s");
    EXPECT_EQ(cafe.WithNumber(1, 2, 5), "caf\u00e9s01");
    EXPECT_EQ(cafe.WithNumber(1, 2, 6), "caf\u00e9s01");
    EXPECT_EQ(CTextField("\351t\351").WithNumber(1, 2, 1), "\35101t\351");  // a byte each
}

TEST(Utf8TextTest, ValidityAndCharacterCounts) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("caf\u00e9 \U0001F600"));
    for (const char* bad :
         {"\300\257", "\355\240\200", "\364\220\200\200", "\351t\351", "\303", "\342\202", "\200"})
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
    // Each byte of a cut sequence counts alone.
    EXPECT_EQ(CharacterCount("a\u00e9\U0001F600\251\342\202z"), 7u);
}

}  // namespace
