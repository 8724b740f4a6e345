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

std::vector<std::string> PathsOf(const std::vector<SFoundFile>& files) {
    std::vector<std::string> paths;
    for (const SFoundFile& file : files)
        paths.push_back(file.strPath);
    return paths;
}

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
    // A link inside is a row of its own, its folder not walked a second time.
    EXPECT_EQ(PathsOf(files),
              (std::vector<std::string>{dir / "tree/a/z.txt", dir / "tree/b.txt",
                                        dir / "tree/c.txt", dir / "tree/d-link", loose}));
    ASSERT_EQ(files.size(), 5u);
    EXPECT_EQ(files[1].facts.nSize, 2u);
    EXPECT_FALSE(files[3].facts.bIsFolder);
    EXPECT_EQ(files[4].facts.nSize, 4u);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].strPath, dir / "missing");
    EXPECT_EQ(problems[0].problem, EAddProblem::NotFound);

    problems.clear();
    files = CollectFilesToAdd({dir / "tree", loose}, false, problems);
    EXPECT_EQ(PathsOf(files), std::vector<std::string>{loose});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].problem, EAddProblem::IsFolder);
}

}  // namespace
