// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "files/AddCollector.h"
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
    ASSERT_TRUE(CFileAdder(session).Add(b));
    const CHitDoc& entry = session.List().GetEntry(0);
    EXPECT_EQ(entry.m_strName.Get() + " " + entry.m_strNewName.Get() + " " + entry.m_strSize.Get(),
              "b.txt b 5");
    RecordAStep();
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    EXPECT_EQ(DropFiles(session, {dir / "missing.txt", "/", ".", "..", dir / "sub/.",
                                  dir / "sub/../", b, dir / "./b.txt", "b.txt",
                                  dir / "sub/../b.txt", std::string("b.txt\0x", 7), ""}),
              0);
    ASSERT_EQ(chdir("/"), 0);
    EXPECT_TRUE(session.CanUndo() && !session.IsModified());

    EXPECT_EQ(DropFiles(session, {a, upper, a}), 2);
    EXPECT_EQ(Column(5), (std::vector<std::string>{b, a, upper}));
    EXPECT_TRUE(!session.CanUndo() && session.IsModified());
}

// A dropped folder is one row; the Add command never adds one, and in MP3 mode only names
// ending in ".mp3" in any case are added.
TEST_F(FileAdderTest, FoldersAreDroppedOnlyAndMp3ModeTakesOnlyMp3Names) {
    std::string folder = dir.MakeFolder("album");
    std::string inside = dir.WriteFile("album/track.txt");
    EXPECT_EQ(AddCommand(session), 0);  // cancelled
    prompts.m_filesToAdd.push_back({folder, inside});
    EXPECT_EQ(AddCommand(session), 1);
    EXPECT_EQ(DropFiles(session, {folder}), 1);
    EXPECT_EQ(Column(5), (std::vector<std::string>{inside, folder}));
    EXPECT_EQ(session.List().GetEntry(1).m_strName.Get(), "album");

    session.List().Empty();
    session.SetMp3Columns();
    EXPECT_EQ(
        DropFiles(session, {dir.WriteFile("a.mp3"), dir.WriteFile("b.MP3"), dir.WriteFile("c.txt"),
                            dir.MakeFolder("d.mp3"), dir.MakeFolder("e")}),
        3);
    EXPECT_TRUE(session.AllMp3());
}

// A folder gives its own files in byte order, and those of its subfolders, depth first,
// only when asked. A link to a folder named
// as a path is the folder; a link met inside the walk is a row of its own, so a link that
// leads back up is never walked round and round. Each folder is closed as the walk leaves
// it, so a tree of more folders than the process may hold open at once is added whole.
TEST_F(FileAdderTest, WalksFoldersDepthFirstInByteOrderAndTellsWhatGaveNothing) {
    std::string loose = dir.WriteFile("loose.txt", "1234");
    dir.WriteFile("tree/b.txt", "12");
    dir.WriteFile("tree/B.txt");
    dir.WriteFile("tree/a/z.txt");
    dir.MakeFolder("tree/empty");
    std::filesystem::create_directory_symlink(dir / "tree", dir / "link");
    std::filesystem::create_directory_symlink("../link", dir / "tree/cycle");
    // Each file found as its path and size, a folder marked by a slash; then each problem.
    auto walk = [](const std::vector<std::string>& paths, bool recursive) {
        std::vector<SAddProblem> problems;
        std::vector<std::string> found;
        for (const auto& file : CollectFilesToAdd(paths, recursive, problems))
            found.push_back(file->m_strPath.Get() + " " + file->m_strSize.Get() +
                            (file->IsFolder() ? "/" : ""));
        for (const SAddProblem& problem : problems)
            found.push_back(problem.strPath + " " + std::to_string(int(problem.problem)));
        return found;
    };
    EXPECT_EQ(
        walk({dir / "link", loose, dir / "missing"}, true),
        (std::vector<std::string>{dir / "link/B.txt 0", dir / "link/a/z.txt 0",
                                  dir / "link/b.txt 2", dir / "link/cycle 7", loose + " 4",
                                  dir / "missing " + std::to_string(int(EAddProblem::NotFound))}));
    EXPECT_EQ(walk({dir / "tree", loose}, false),
              (std::vector<std::string>{dir / "tree/B.txt 0", dir / "tree/b.txt 2",
                                        dir / "tree/cycle 7", loose + " 4"}));

    // Subfolders walked in parallel parts still come in byte order.
    std::vector<std::string> expected;
    for (int i = 0; i < 200; ++i)
        expected.push_back(
            dir.WriteFile("many/d" + std::to_string(i) + "/f" + (i % 3 ? "" : "/g")) + " 0");
    std::sort(expected.begin(), expected.end());
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &old), 0);
    rlimit low{64, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
    std::vector<std::string> found = walk({dir / "many"}, true);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &old), 0);
    EXPECT_EQ(found, expected);  // and no problem

    // A folder looked at in parallel parts: each file keeps its own facts and its place.
    expected.clear();
    for (int i = 1000; i < 2000; ++i)
        expected.push_back(dir.WriteFile("big/e" + std::to_string(i) + (i % 97 ? "" : "/in"),
                                         std::string(static_cast<size_t>(i % 5), 'x')) +
                           " " + std::to_string(i % 5));
    EXPECT_EQ(walk({dir / "big"}, true), expected);
}

// Enough paths to be probed in parallel parts and in more than one chunk: the rows still
// come in the order given, each file once, whichever part probed it.
TEST_F(FileAdderTest, ManyPathsAddInTheirOrderOnceEach) {
    std::vector<std::string> paths, expected;
    std::string late = dir.WriteFile("late");  // the one new file past the first chunk
    for (int i = 0; i < 12000; ++i) {
        std::string file = i == 9000 ? late : dir / ("f" + std::to_string((i * 37) % 50));
        paths.push_back(i % 7 == 3 ? file + "-missing" : file);
        if (i < 50)
            dir.WriteFile("f" + std::to_string((i * 37) % 50));
        if (i % 7 != 3 && std::count(expected.begin(), expected.end(), file) == 0)
            expected.push_back(file);
    }
    prompts.m_filesToAdd.push_back(paths);
    EXPECT_EQ(AddCommand(session), static_cast<int>(expected.size()));
    EXPECT_EQ(Column(5), expected);
}

// Removing rows never touches their files, closes an open cell editor before its row can
// go, and always empties the history.
TEST_F(FileAdderTest, RemoveTakesOutSelectedRowsAndAlwaysEmptiesTheHistory) {
    std::string a = dir.WriteFile("a.mp3"), b = dir.WriteFile("b.txt"), c = dir.WriteFile("c.mp3");
    DropFiles(session, {a, b, c});
    ASSERT_FALSE(session.AllMp3());
    RecordAStep();
    EXPECT_EQ(Remove(session), 0);
    EXPECT_FALSE(session.CanUndo() || session.IsModified());
    session.List().SetSelected(1, true);
    observer.m_calls.clear();
    EXPECT_EQ(Remove(session), 1);
    EXPECT_EQ(Column(5), (std::vector<std::string>{a, c}));
    EXPECT_TRUE(session.AllMp3() && session.IsModified() && PathExists(b));
    EXPECT_EQ(observer.m_calls.front(), "end editing");
}

}  // namespace
