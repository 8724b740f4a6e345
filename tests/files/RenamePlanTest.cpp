// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "GoSupport.h"
#include "model/ResultsList.h"
#include "support/OtherUser.h"

namespace {

struct SPlanCase {
    const char* label;
    std::vector<std::string> files;     // created, in this order, as rows
    std::vector<std::string> newNames;  // per row, without extension
    std::vector<std::string> others;    // files present that are no rows
    std::vector<int> codes;
};

void PrintTo(const SPlanCase& c, std::ostream* out) {
    *out << c.label;
}

class PlanVerdictTest : public GoTest, public ::testing::WithParamInterface<SPlanCase> {};
using RenamePlanTest = GoTest;

TEST_P(PlanVerdictTest, JudgesEachFolderAsAWhole) {
    const SPlanCase& c = GetParam();
    for (const std::string& other : c.others)
        dir.WriteFile(other, "other");
    AddFiles(c.files);
    Rename(c.newNames);
    prompts.m_resultsAnswers.push_back(false);
    Go(session);
    EXPECT_EQ(PreviewCodes(), c.codes);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, PlanVerdictTest,
    ::testing::Values(
        SPlanCase{"unchanged", {"a.txt", "b.txt"}, {"a", "c"}, {}, {6, 0}},
        SPlanCase{"onto an unchanged row", {"a.txt", "b.txt"}, {"b", "b"}, {}, {1, 6}},
        SPlanCase{"two rows to one name", {"a.txt", "b.txt"}, {"x", "x"}, {}, {0, 1}},
        SPlanCase{"chain into a name freed later", {"a", "c"}, {"c", "d"}, {}, {0, 0}},
        SPlanCase{"chain in the other order", {"c", "a"}, {"d", "c"}, {}, {0, 0}},
        SPlanCase{"swap", {"a.txt", "b.txt"}, {"b", "a"}, {}, {0, 0}},
        SPlanCase{"three-cycle", {"a", "b", "c"}, {"b", "c", "a"}, {}, {0, 0, 0}},
        SPlanCase{"shift in row order", {"01", "02", "03"}, {"02", "03", "04"}, {}, {0, 0, 0}},
        SPlanCase{"chain into a name that stays taken", {"a", "b"}, {"b", "c"}, {"c"}, {1, 1}},
        SPlanCase{"chain onto a row blocked", {"a", "b", "c"}, {"b", "x", "x"}, {"x"}, {1, 1, 1}},
        SPlanCase{"cycle beside a collision", {"a", "b", "c", "d"}, {"b", "c", "a", "e"}, {"e"},
                  {0, 0, 0, 1}},
        SPlanCase{"two rows want a name freed", {"a", "b", "c"}, {"c", "c", "d"}, {}, {0, 1, 0}},
        SPlanCase{"cycle into a row that wants a taken name", {"a", "b", "c"}, {"b", "a", "a"},
                  {}, {0, 0, 1}},
        SPlanCase{"case only", {"song.mp3"}, {"Song"}, {}, {0}},
        SPlanCase{"case of another file", {"song.mp3"}, {"Other"}, {"other.mp3"}, {0}},
        SPlanCase{"name of a file outside the list", {"a.txt"}, {"b"}, {"b.txt"}, {1}},
        SPlanCase{"same name in two folders", {"x/a.txt", "y/b.txt"}, {"c", "c"}, {}, {0, 0}},
        SPlanCase{"colon on a POSIX file system", {"a.txt"}, {"Artist: Title"}, {}, {0}},
        SPlanCase{"slash", {"a.txt"}, {"sub/a"}, {}, {4}},
        SPlanCase{"nul byte", {"a.txt"}, {std::string("a\0b", 3)}, {}, {4}},
        SPlanCase{"only the slash of Windows' nine", {"1", "2", "3", "4", "5", "6", "7", "8", "9"},
                  {"\\", "/", ":", "*", "?", "\"", "<", ">", "|"}, {}, {0, 4, 0, 0, 0, 0, 0, 0, 0}},
        SPlanCase{"the folder itself", {"a", "b"}, {".", ".."}, {}, {1, 1}},
        SPlanCase{"collision before a name too long", {"a", "b"},
                  {std::string(256, 'c'), std::string(256, 'c')}, {}, {kResultNameTooLong, 1}},
        SPlanCase{"255 bytes", {"a"}, {std::string(255, 'n')}, {}, {0}},
        SPlanCase{"256 bytes", {"a"}, {std::string(256, 'n')}, {}, {kResultNameTooLong}},
        SPlanCase{"empty name", {"a", "b.txt"}, {"", ""}, {}, {4, 0}},
        SPlanCase{"newline, dash, not UTF-8", {"a", "b", "c"}, {"x\ny", "-rf", "\xff\xfe"}, {},
                  {0, 0, 0}}));
// clang-format on

// As another user: a folder that cannot be listed hides its files; a folder or a file
// that cannot be written is read-only, and the preview cannot be confirmed. A missing file
// is not found, and its name blocks no other row. A list file may name one file twice:
// only the first row naming it may rename it, every later one is blocked.
TEST_F(RenamePlanTest, RightsOfFoldersAndFilesAndRowsOfOneFileGiveTheirVerdicts) {
    chmod(dir.Path().c_str(), 0755);
    AddFiles({"hidden/a.txt", "locked/b.txt", "open/c.txt", "open/d.txt", "open/e.txt"});
    for (int copy = 0; copy < 2; ++copy)
        session.AddEntry(CHitDoc(dir / "open/d.txt"));
    Rename({"new0", "new1", "new2", "e", "new4", "new5", "new6"});
    std::remove((dir / "open/e.txt").c_str());
    for (auto [path, mode] : {std::pair<const char*, mode_t>{"hidden", 0333},
                              {"locked/b.txt", 0666},
                              {"locked", 0555},
                              {"open", 0777},
                              {"open/c.txt", 0444},
                              {"open/d.txt", 0666}})
        ASSERT_EQ(chmod((dir / path).c_str(), mode), 0) << path;
    COtherUser user;
    ASSERT_TRUE(user.Active());
    // The other user's runs keep their journals in a folder of that user's own.
    setenv("XDG_STATE_HOME", (dir / "open/state").c_str(), 1);
    EXPECT_EQ(Go(session).end, ERunEnd::Blocked);
    EXPECT_EQ(PreviewCodes(), (std::vector<int>{kResultNotFound, 3, 3, 0, kResultNotFound, 1, 1}));
    // The preview also tells each entry whether its file is there now.
    EXPECT_TRUE(session.List().GetEntry(3).Exists() && !session.List().GetEntry(4).Exists());
    EXPECT_FALSE(prompts.m_results.front().bCanConfirm);
    ExpectMoved("open/d.txt", "open/d.txt");
}

// A file's other link is another entry, though it is the same file: its name is taken.
TEST_F(RenamePlanTest, TheNameOfAnotherLinkOfTheSameFileIsTaken) {
    AddFiles({"a.txt"});
    ASSERT_EQ(link((dir / "a.txt").c_str(), (dir / "b.txt").c_str()), 0);
    Rename({"b"});
    prompts.m_resultsAnswers.push_back(false);
    Go(session);
    EXPECT_EQ(PreviewCodes(), std::vector<int>{kResultExists});
}

// Rows by the thousand whose new names no row holds are judged from the folder's listing
// rather than name by name: a name taken outside the run still blocks its row, and a
// chain among them still goes.
TEST_F(RenamePlanTest, ManyNewNamesAreJudgedAsFewAre) {
    constexpr int kRows = 5000;
    constexpr int kTakenRow = 1234;
    std::vector<std::string> files, newNames;
    for (int row = 0; row < kRows; ++row) {
        char name[16];
        std::snprintf(name, sizeof name, "f%05d", row);
        files.push_back(name);
        newNames.push_back("g" + std::string(name + 1));
    }
    newNames[0] = files[1];  // a chain: the first row takes the second one's name
    dir.WriteFile(newNames[kTakenRow], "other");
    AddFiles(files);
    Rename(newNames);
    prompts.m_resultsAnswers.push_back(false);
    Go(session);
    std::vector<int> codes = PreviewCodes();
    ASSERT_EQ(codes.size(), static_cast<size_t>(kRows));
    EXPECT_EQ(codes[kTakenRow], kResultExists);
    codes[kTakenRow] = kResultOk;
    EXPECT_EQ(codes, std::vector<int>(kRows, kResultOk));
}

}  // namespace
