#include <sys/stat.h>

#include "cli/CliFixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class ListCommandsTest : public CliTest {
protected:
    void SetUp() override {
        small = dir.WriteFile("f/b_small.txt", "1");
        large = dir.WriteFile("f/A large.dat", "1234567");
        middle = dir.WriteFile("f/c middle", "1234");
        WriteList({small, large, middle});
    }
    std::vector<std::string> Paths() { return Column(Run({"show", List()}).strOut, 5); }

    std::string small, large, middle;
};

TEST_F(ListCommandsTest, SortByATitleAscendingAndDescendingAndSavesTheOrder) {
    SCliRun bySize = Run({"sort", List(), "Size"});
    EXPECT_EQ(bySize.nStatus, 0) << bySize.strErr;
    EXPECT_THAT(Paths(), ElementsAre(small, middle, large));
    EXPECT_EQ(Run({"sort", List(), "in folder", "--descending"}).nStatus, 0);
    EXPECT_THAT(Paths(), ElementsAre(middle, small, large));
    EXPECT_EQ(Run({"sort", List(), "Current Filename"}).nStatus, 0);
    EXPECT_THAT(Paths(), ElementsAre(large, small, middle));
}

TEST_F(ListCommandsTest, SortThatChangesNothingLeavesTheFileUntouched) {
    ASSERT_EQ(Run({"sort", List(), "Type"}).nStatus, 0);
    std::string before = ReadFileBytes(List());
    struct stat st;
    ASSERT_EQ(stat(List().c_str(), &st), 0);
    ASSERT_EQ(Run({"sort", List(), "Type"}).nStatus, 0);
    struct stat after;
    ASSERT_EQ(stat(List().c_str(), &after), 0);
    EXPECT_EQ(ReadFileBytes(List()), before);
    EXPECT_EQ(st.st_ino, after.st_ino) << "the list was written again";
}

TEST_F(ListCommandsTest, ExportWritesEachNewFileNameOnALineOrNamesTheFileItCannotWrite) {
    std::string text = dir / "names.txt";
    SCliRun run = Run({"export", List(), text});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(ReadFileBytes(text), "b_small.txt\nA large.dat\nc middle\n");
    std::string nowhere = dir / "no/such/folder/names.txt";
    SCliRun failed = Run({"export", List(), nowhere});
    EXPECT_EQ(failed.nStatus, 1);
    EXPECT_EQ(failed.strErr, "tessel-cli: " + nowhere + ": Cannot write file: Access denied\n");
}

TEST_F(ListCommandsTest, AFailingCommandLeavesTheListByteIdentical) {
    std::string good = ReadFileBytes(List());
    SCliRun unknown = Run({"sort", List(), "Colour"});
    EXPECT_EQ(unknown.nStatus, 1);
    EXPECT_THAT(unknown.strErr, HasSubstr("Colour"));
    EXPECT_EQ(ReadFileBytes(List()), good);

    std::string damaged = good.substr(0, good.size() - 3);
    dir.WriteFile("list.tsl", damaged);
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"sort", List(), "Size"}, {"export", List(), dir / "x.txt"}}) {
        SCliRun run = Run(words);
        EXPECT_EQ(run.nStatus, 1) << words[0];
        EXPECT_EQ(Lines(run.strErr).size(), 1u) << run.strErr;
        EXPECT_EQ(ReadFileBytes(List()), damaged) << words[0];
    }
    EXPECT_FALSE(PathExists(dir / "x.txt"));
}

}  // namespace
