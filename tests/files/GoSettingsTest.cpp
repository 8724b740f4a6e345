#include <gtest/gtest.h>

#include "GoSupport.h"
#include "model/ResultsList.h"

namespace {

// The dialog's check holds for the text in its box whichever way the choice goes, and Go
// given an invalid choice changes nothing.
TEST_F(GoTest, OnlyATextWithADotOrNoneIsAnExtension) {
    struct SCase {
        std::string strText;
        bool bKeep;
        bool bValid;
    } cases[] = {{"txt", false, false},
                 {"txt", true, false},
                 {".md", false, true},
                 {"", false, true},
                 {"tar.gz", false, true}};
    AddFiles({"a.txt"});
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.strText);
        prompts.m_messages.clear();
        prompts.m_results.clear();
        EXPECT_EQ(IsValidExtension(c.strText), c.bValid);
        SGoSettings settings{SExtensionChoice{c.bKeep, c.strText}, EOnFailure::Stop};
        EXPECT_EQ(Go(session, settings), c.bValid ? EGoOutcome::Ran : EGoOutcome::Cancelled);
        if (c.bValid)
            continue;
        EXPECT_EQ(prompts.m_messages, std::vector<std::string>{kInvalidExtensionMessage});
        EXPECT_EQ(prompts.m_messageIds.back(), EMessageId::InvalidExtension);
        EXPECT_EQ(session.List().GetEntry(0).m_strExt.Get(), ".txt");
        EXPECT_TRUE(prompts.m_results.empty());
        ExpectMoved("a.txt", "a.txt");
    }
}

// A failure answered beforehand asks nothing: Stop leaves the later rows untried,
// Continue renames them.
TEST_F(GoTest, TheFailurePolicyGivenAnswersTheQuestion) {
    for (EOnFailure policy : {EOnFailure::Stop, EOnFailure::Continue}) {
        CTempDir folder;
        std::vector<std::string> paths;
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            paths.push_back(folder.WriteFile(name, name));
        session.List().Empty();
        ASSERT_EQ(DropFiles(session, paths), 3);
        Rename({"x", "y", "z"});
        prompts.m_results.clear();
        prompts.m_onPreview = [&] { folder.WriteFile("y.txt", "in the way"); };
        EXPECT_EQ(Go(session, SGoSettings{SExtensionChoice{}, policy}), EGoOutcome::Ran);
        EXPECT_TRUE(prompts.m_messages.empty());
        int last = policy == EOnFailure::Stop ? kResultUnexpected : kResultOk;
        EXPECT_EQ(ResultCodes(), (std::vector<int>{kResultOk, kResultUnexpected, last}));
        EXPECT_EQ(PathExists(folder / "z.txt"), policy == EOnFailure::Continue);
    }
}

}  // namespace
