// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "files/RunCommands.h"
#include "model/TextField.h"
#include "support/SessionFixture.h"
#include "transform/FindPattern.h"
#include "transform/FindReplace.h"

namespace {

using Names = std::vector<std::string>;

constexpr bool kMatchCase = true;
constexpr bool kIgnoreCase = false;

// The text after replacing every match of a regular expression, or "<unchanged>".
std::string Replaced(const std::string& text, const std::string& pattern,
                     const std::string& replacement, bool matchCase) {
    CFindPattern find(SReplaceSettings{pattern, replacement, matchCase, true});
    EXPECT_TRUE(find.IsValid()) << find.Problem();
    CTextField field(text);
    return find.Replace(field) ? field.Get() : "<unchanged>";
}

struct SRegexCase {
    const char* text;
    const char* pattern;
    const char* replacement;
    bool bMatchCase;
    const char* expected;
};

class RegexReplaceTest : public ::testing::TestWithParam<SRegexCase> {};

TEST_P(RegexReplaceTest, ReplacesEveryMatchOfTheWholeName) {
    const SRegexCase& c = GetParam();
    EXPECT_EQ(Replaced(c.text, c.pattern, c.replacement, c.bMatchCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, RegexReplaceTest,
    ::testing::Values(
        // Groups: $1 and $2 swap two parts; a group that took no part adds nothing.
        SRegexCase{"Artist - Title", "(.*) - (.*)", "$2 - $1", kMatchCase, "Title - Artist"},
        SRegexCase{"ab", "(x)?(a)", "[$1$2]", kMatchCase, "[a]b"},
        SRegexCase{"a1", "(a)(1)", "\\$1$$2", kMatchCase, "$1$1"},
        // Anchors bind to the whole name, not to each match's place.
        SRegexCase{"track track", "^track", "song", kMatchCase, "song track"},
        SRegexCase{"track track", "track$", "song", kMatchCase, "track song"},
        SRegexCase{"name", "^", "01 ", kMatchCase, "01 name"},
        // Classes, Unicode-aware: \d, [[:upper:]], \p{L} over "é".
        SRegexCase{"a1b22c333", "\\d+", "#", kMatchCase, "a#b#c#"},
        SRegexCase{"ÉtéAb", "[[:upper:]]", "_", kMatchCase, "_té_b"},
        SRegexCase{"é-1", "\\p{L}", "x", kMatchCase, "x-1"},
        // Case: ignored without Match case (Unicode letters too), kept with it.
        SRegexCase{"Track TRACK track", "track", "x", kIgnoreCase, "x x x"},
        SRegexCase{"Track TRACK track", "track", "x", kMatchCase, "Track TRACK x"},
        SRegexCase{"CAFÉ", "café", "tea", kIgnoreCase, "tea"},
        SRegexCase{"CAFÉ", "café", "tea", kMatchCase, "<unchanged>"},
        // No match, and a match replaced by itself, leave the name as it was.
        SRegexCase{"name", "z+", "y", kMatchCase, "<unchanged>"},
        SRegexCase{"name", "(a)", "$1", kMatchCase, "<unchanged>"}));

// A name that is not valid UTF-8 holds no match and keeps its bytes, whatever the pattern.
TEST(RegexPatternTest, ANameThatIsNotUtf8IsNeverMatchedNorChanged) {
    CFindPattern anything(SReplaceSettings{".+", "x", kMatchCase, true});
    CTextField latin("Caf\xe9");
    EXPECT_FALSE(anything.Occurs(latin.Get()));
    EXPECT_FALSE(anything.Replace(latin));
    EXPECT_EQ(latin.Get(), "Caf\xe9");
    CTextField utf8("Caf\xc3\xa9");
    EXPECT_TRUE(anything.Replace(utf8));
    EXPECT_EQ(utf8.Get(), "x");
}

// A bad pattern or a replacement naming a missing group tells the character (from 1) where
// the problem is; characters, not bytes or UTF-16 units, are counted.
TEST(RegexPatternTest, AnInvalidPatternNamesTheCharacterWhereItFails) {
    struct {
        const char* pattern;
        const char* replacement;
        const char* problem;
    } cases[] = {
        {"a(b", "", "at character 4 of 'a(b'"},
        {"é[z", "", "at character 4 of 'é[z'"},
        {"ab)", "", "at character 4 of 'ab)'"},  // ICU points past the parenthesis
        {"x{3,1}", "", "of 'x{3,1}'"},
        {"(a)-(b)", "$3", "group $3 at character 1 of '$3', but the regular expression has 2"},
        {"a\xff", "", "at character 2 of 'a\xff': not valid UTF-8"},
    };
    for (const auto& c : cases) {
        CFindPattern pattern(SReplaceSettings{c.pattern, c.replacement, kMatchCase, true});
        EXPECT_FALSE(pattern.IsValid()) << c.pattern;
        EXPECT_NE(pattern.Problem().find(c.problem), std::string::npos) << pattern.Problem();
        CTextField field("a(b)-(b)");
        EXPECT_FALSE(pattern.Occurs(field.Get()));
        EXPECT_FALSE(pattern.Replace(field));
    }
    // The same texts are plain find texts without the regular expression box.
    EXPECT_TRUE(CFindPattern(SReplaceSettings{"a(b", "", kMatchCase, false}).IsValid());
}

class RegexFindReplaceTest : public SessionTest {
protected:
    void SetUp() override {
        AddRows({"track10 b.mp3", "02 Intro.mp3", "track9 a.mp3", "Caf\xe9.mp3", "Outro.mp3"});
    }
    static SReplaceSettings Regex(const std::string& find, const std::string& replacement = "",
                                  bool matchCase = false) {
        return SReplaceSettings{find, replacement, matchCase, true};
    }
};

// Replace All works on the new names (never the extensions) as one undo step.
TEST_F(RegexFindReplaceTest, ReplaceAllRewritesTheMatchingNewNamesAsOneUndoStep) {
    EXPECT_EQ(ReplaceAll(session, Regex("^track(\\d+) (\\w)$", "$2 - $1")),
              ECommandOutcome::Changed);
    EXPECT_EQ(NewNames(), (Names{"b - 10", "02 Intro", "a - 9", "Caf\xe9", "Outro"}));
    EXPECT_EQ(session.List().GetEntry(0).m_strExt.Get(), ".mp3");
    ASSERT_EQ(session.UndoHistory().GetCount(), 1u);
    Undo(session);
    EXPECT_EQ(NewNames()[0], "track10 b");
}

// An invalid pattern is told once, with its position; nothing is searched or changed.
TEST_F(RegexFindReplaceTest, AnInvalidPatternIsToldOnceAndChangesNothing) {
    for (EFindRequest request :
         {EFindRequest::FindNext, EFindRequest::Replace, EFindRequest::ReplaceAll}) {
        prompts.m_messages.clear();
        session.List().DeselectAll();
        HandleFindRequest(session, request, Regex("(track", "x"));
        ASSERT_EQ(prompts.m_messages.size(), 1u);
        EXPECT_NE(prompts.m_messages[0].find("character 7 of '(track'"), std::string::npos)
            << prompts.m_messages[0];
    }
    EXPECT_EQ(NewNames(), (Names{"track10 b", "02 Intro", "track9 a", "Caf\xe9", "Outro"}));
    EXPECT_EQ(session.UndoHistory().GetCount(), 0u);
    EXPECT_EQ(session.m_currentCell.nRow, -1);
}

// Find Next selects the next row below the selected one that the pattern matches, with or
// without Match case, and tells the pattern when there is none.
TEST_F(RegexFindReplaceTest, FindNextSelectsTheNextMatchingRow) {
    EXPECT_TRUE(FindNext(session, Regex("^[a-z]+\\d+ [a-z]$")));  // from below row 0
    EXPECT_EQ(session.m_currentCell.nRow, 2);
    EXPECT_TRUE(session.List().IsSelected(2) && !session.List().IsSelected(0));
    EXPECT_TRUE(FindNext(session, Regex("^outro")));
    EXPECT_EQ(session.m_currentCell.nRow, 4);
    session.List().DeselectAll();
    session.List().SetSelected(0, true);
    EXPECT_FALSE(FindNext(session, Regex("^outro", "", kMatchCase)));
    EXPECT_EQ(session.m_currentCell.nRow, 0);
    EXPECT_FALSE(FindNext(session, Regex("^caf")));  // row 3 is not UTF-8
    EXPECT_EQ(prompts.m_messages.back(), "Cannot find the string '^caf'");
}

// Replace takes the selected row when it matches, then finds the next one.
TEST_F(RegexFindReplaceTest, ReplaceChangesTheSelectedRowThenFindsTheNext) {
    session.List().SetSelected(2, true);
    HandleFindRequest(session, EFindRequest::Replace, Regex("\\d+", "<$0>"));
    EXPECT_EQ(NewNames()[2], "track<9> a");
    EXPECT_EQ(session.m_currentCell.nRow, 2);  // nothing below matches: the row stays
    EXPECT_EQ(prompts.m_messages.back(), "Cannot find the string '\\d+'");
}

}  // namespace
