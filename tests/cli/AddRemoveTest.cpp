#include "cli/CliFixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class AddRemoveTest : public CliTest {
protected:
    std::vector<std::string> Paths() { return Column(Run({"show", List()}).strOut, 5); }
};

TEST_F(AddRemoveTest, AddAppendsFilesInOrderSkippingListedOnesAndReportingMissingOnes) {
    std::string b = dir.WriteFile("b.txt"), a = dir.WriteFile("a.txt");
    SCliRun first = Run({"add", List(), "b.txt", a});
    EXPECT_EQ(first.nStatus, 0) << first.strErr;
    EXPECT_THAT(Paths(), ElementsAre(b, a));
    std::string c = dir.WriteFile("c.txt");
    SCliRun second = Run({"add", List(), a, "ghost.txt", c, "./b.txt"});
    EXPECT_EQ(second.nStatus, 1);
    EXPECT_EQ(second.strErr, "tessel-cli: ghost.txt: No such file or directory\n");
    EXPECT_THAT(Paths(), ElementsAre(b, a, c));
}

TEST_F(AddRemoveTest, FoldersNeedRecursiveAndAreWalkedDepthFirstInByteOrder) {
    std::string top = dir.WriteFile("d/b.txt");
    std::string upper = dir.WriteFile("d/B.txt");
    std::string deep = dir.WriteFile("d/a/z.txt");
    std::string last = dir.WriteFile("d/c/y.txt");
    SCliRun flat = Run({"add", List(), "d"});
    EXPECT_EQ(flat.nStatus, 1);
    EXPECT_THAT(flat.strErr, HasSubstr("--recursive"));
    EXPECT_FALSE(PathExists(List()));
    SCliRun deepRun = Run({"add", List(), "d", "--recursive"});
    EXPECT_EQ(deepRun.nStatus, 0) << deepRun.strErr;
    EXPECT_THAT(Paths(), ElementsAre(upper, deep, top, last));
}

TEST_F(AddRemoveTest, RemoveTakesRowsByNumberLeavingTheFilesAndRefusesRowsNotThere) {
    std::string a = dir.WriteFile("a"), b = dir.WriteFile("b"), c = dir.WriteFile("c");
    WriteList({a, b, c});
    std::string before = ReadFileBytes(List());
    for (const char* row : {"0", "4", "x", "-1", "1.5"}) {
        SCliRun run = Run({"remove", List(), "1", row});
        EXPECT_EQ(run.nStatus, 1) << row;
        EXPECT_THAT(run.strErr, HasSubstr("no such row")) << row;
        EXPECT_EQ(ReadFileBytes(List()), before) << row;
    }
    SCliRun run = Run({"remove", List(), "3", "1"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_THAT(Paths(), ElementsAre(b));
    EXPECT_TRUE(PathExists(a) && PathExists(c));
}

TEST_F(AddRemoveTest, RenameIsAnEditOfOneRowsNewName) {
    std::string a = dir.WriteFile("a.txt"), b = dir.WriteFile("b.txt");
    WriteList({a, b});
    EXPECT_EQ(Run({"rename", List(), "2", "  new name "}).nStatus, 0);
    SCliRun shown = Run({"show", List()});
    EXPECT_THAT(Column(shown.strOut, 0), ElementsAre("a", "new name "));
    EXPECT_THAT(Column(shown.strOut, 2), ElementsAre(".txt", ".txt"));
    std::string before = ReadFileBytes(List());
    EXPECT_EQ(Run({"rename", List(), "1", "   "}).nStatus, 0);
    EXPECT_EQ(ReadFileBytes(List()), before);
    EXPECT_EQ(Run({"rename", List(), "3", "x"}).nStatus, 1);
    EXPECT_EQ(ReadFileBytes(List()), before);
}

}  // namespace
