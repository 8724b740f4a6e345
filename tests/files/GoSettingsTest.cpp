#include <gtest/gtest.h>
#include <unistd.h>

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

std::vector<std::string> PathsOf(const std::vector<SFoundFile>& files) {
    std::vector<std::string> paths;
    for (const SFoundFile& file : files)
        paths.push_back(file.strPath + " " + std::to_string(file.facts.nSize) +
                        (file.facts.bIsFolder ? "/" : ""));
    return paths;
}

// A link inside a folder is a row of its own, its folder not walked a second time.
TEST(CollectFilesToAddTest, WalksFoldersDepthFirstInNameOrderAndTellsWhatGaveNothing) {
    CTempDir dir;
    std::string loose = dir.WriteFile("loose.txt", "1234");
    dir.WriteFile("tree/b.txt", "12");
    dir.WriteFile("tree/a/z.txt");
    dir.WriteFile("tree/c.txt");
    dir.MakeFolder("tree/empty");
    ASSERT_EQ(symlink("a", (dir / "tree/d-link").c_str()), 0);
    std::vector<SAddProblem> problems;
    std::vector<SFoundFile> files =
        CollectFilesToAdd({dir / "tree", loose, dir / "missing"}, true, problems);
    EXPECT_EQ(PathsOf(files), (std::vector<std::string>{dir / "tree/a/z.txt 0",
                                                        dir / "tree/b.txt 2", dir / "tree/c.txt 0",
                                                        dir / "tree/d-link 1", loose + " 4"}));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].strPath, dir / "missing");
    EXPECT_EQ(problems[0].problem, EAddProblem::NotFound);

    problems.clear();
    files = CollectFilesToAdd({dir / "tree", loose}, false, problems);
    EXPECT_EQ(PathsOf(files), std::vector<std::string>{loose + " 4"});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].problem, EAddProblem::IsFolder);
}

}  // namespace
