#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "files/FileAdder.h"
#include "files/RemoveCommand.h"
#include "support/SessionFixture.h"
#include "support/TempDir.h"

namespace {

class FileAdderTest : public SessionTest {
protected:
    // One recorded step, so that a test can see whether something emptied the history.
    void RecordAStep() {
        session.TakeSnapshot();
        session.List().GetEntry(0).m_strNewName.Set("changed");
        session.CommitSnapshot(kUndoEdit);
        session.SetModified(false);
        ASSERT_TRUE(session.CanUndo());
    }
};

// Paths are compared byte for byte once made absolute; a skipped path changes nothing.
TEST_F(FileAdderTest, AddsFoundPathsInOrderSkippingMissingOnesTheRootDotsAndDuplicates) {
    std::string b = dir.WriteFile("b.txt", "12345");
    std::string a = dir.WriteFile("a.txt");
    std::string upper = dir.WriteFile("A.txt");
    dir.MakeFolder("sub");
    ASSERT_TRUE(AddFile(session, b));
    const CHitDoc& entry = session.List().GetEntry(0);
    EXPECT_EQ(entry.m_strName.Get(), "b.txt");
    EXPECT_EQ(entry.m_strNewName.Get(), "b");
    EXPECT_EQ(entry.m_strSize.Get(), "5");
    RecordAStep();
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    std::vector<std::string> skipped = {dir / "missing.txt",
                                        "/",
                                        ".",
                                        "..",
                                        dir / "sub/.",
                                        dir / "sub/../",
                                        b,
                                        dir / "./b.txt",
                                        "b.txt",
                                        dir / "sub/../b.txt",
                                        std::string("b.txt\0x", 7),
                                        ""};
    EXPECT_EQ(DropFiles(session, skipped), 0);
    ASSERT_EQ(chdir("/"), 0);
    EXPECT_TRUE(session.CanUndo());
    EXPECT_FALSE(session.IsModified());

    EXPECT_EQ(DropFiles(session, {a, upper, a}), 2);
    EXPECT_EQ(Column(5), (std::vector<std::string>{b, a, upper}));
    EXPECT_FALSE(session.CanUndo());
    EXPECT_TRUE(session.IsModified());
}

TEST_F(FileAdderTest, ADroppedFolderIsOneRowAndTheAddCommandNeverAddsAFolder) {
    std::string folder = dir.MakeFolder("album");
    std::string inside = dir.WriteFile("album/track.txt");
    EXPECT_EQ(AddCommand(session), 0);  // cancelled
    prompts.m_filesToAdd.push_back({folder, inside});
    EXPECT_EQ(AddCommand(session), 1);
    EXPECT_EQ(Column(5), (std::vector<std::string>{inside}));

    EXPECT_EQ(DropFiles(session, {folder}), 1);
    EXPECT_EQ(Column(5), (std::vector<std::string>{inside, folder}));
    EXPECT_EQ(session.List().GetEntry(1).m_strName.Get(), "album");
}

// Enough paths to be probed in parallel parts: the rows still come in the order given,
// each file once, whichever part probed it.
TEST_F(FileAdderTest, ManyPathsAddInTheirOrderOnceEach) {
    std::vector<std::string> files;
    for (int i = 0; i < 50; ++i)
        files.push_back(dir.WriteFile("f" + std::to_string(i)));
    std::string folder = dir.MakeFolder("folder");
    std::vector<std::string> paths;
    std::vector<std::string> expected;
    for (int i = 0; i < 12000; ++i) {
        if (i % 7 == 3)
            paths.push_back(dir / ("missing" + std::to_string(i)));
        else if (i == 9000)
            paths.push_back(folder);
        else
            paths.push_back(files[(i * 37) % files.size()]);
        if (paths.back() != folder && paths.back().find("missing") == std::string::npos &&
            std::find(expected.begin(), expected.end(), paths.back()) == expected.end())
            expected.push_back(paths.back());
    }
    prompts.m_filesToAdd.push_back(paths);
    EXPECT_EQ(AddCommand(session), static_cast<int>(expected.size()));
    EXPECT_EQ(Column(5), expected);
    EXPECT_EQ(DropFiles(session, paths), 1);  // only the folder is new
    expected.push_back(folder);
    EXPECT_EQ(Column(5), expected);
}

TEST_F(FileAdderTest, Mp3ModeTakesOnlyMp3NamesInAnyCase) {
    session.SetMp3Columns();
    EXPECT_EQ(
        DropFiles(session, {dir.WriteFile("a.mp3"), dir.WriteFile("b.MP3"), dir.WriteFile("c.txt"),
                            dir.MakeFolder("d.mp3"), dir.MakeFolder("e")}),
        3);
    EXPECT_TRUE(session.AllMp3());
}

TEST_F(FileAdderTest, RemoveTakesOutSelectedRowsAndAlwaysEmptiesTheHistory) {
    std::string a = dir.WriteFile("a.mp3");
    std::string b = dir.WriteFile("b.txt");
    std::string c = dir.WriteFile("c.mp3");
    DropFiles(session, {a, b, c});
    ASSERT_FALSE(session.AllMp3());

    RecordAStep();
    EXPECT_EQ(Remove(session), 0);
    EXPECT_FALSE(session.CanUndo());
    EXPECT_FALSE(session.IsModified());
    EXPECT_EQ(session.List().GetCount(), 3);

    session.List().SetSelected(1, true);
    EXPECT_EQ(Remove(session), 1);
    EXPECT_EQ(Column(5), (std::vector<std::string>{a, c}));
    EXPECT_TRUE(session.AllMp3());
    EXPECT_TRUE(session.IsModified());
    EXPECT_TRUE(PathExists(b));
    EXPECT_EQ(observer.m_calls.front(), "inserting 0-1");
    EXPECT_NE(std::find(observer.m_calls.begin(), observer.m_calls.end(), "end editing"),
              observer.m_calls.end());

    session.List().SetSelected(0, true);
    session.List().SetSelected(1, true);
    EXPECT_EQ(Remove(session), 2);
    EXPECT_EQ(session.List().GetCount(), 0);
    EXPECT_TRUE(session.AllMp3());
}

}  // namespace
