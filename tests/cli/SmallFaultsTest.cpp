#include <filesystem>

#include "cli/CliFixture.h"

namespace {

// A file that is missing is reported as missing whatever was asked about before it: the
// facts of an earlier folder must not leak into the next report.
TEST_F(CliTest, TagsReportsAMissingFileAsMissingAfterAFolder) {
    std::string folder = dir.MakeFolder("albums");
    SCliRun run = Run({"tags", folder, dir / "gone.mp3", folder});
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_EQ(run.strOut, "");
    EXPECT_EQ(run.strErr,
              "tessel-cli: " + folder + ": Is a directory\ntessel-cli: " + (dir / "gone.mp3") +
                  ": No such file or directory\ntessel-cli: " + folder + ": Is a directory\n");
}

}  // namespace

namespace {

// The fixed text of a failed rename stays; the system's reason follows it on stderr.
TEST_F(CliTest, AFailedRenameTellsTheSystemsReasonBesideTheFixedText) {
    std::string real = dir.WriteFile("real/a.txt", "a");
    std::filesystem::create_directory_symlink(dir / "real", dir / "link");
    WriteList({real, dir / "link/a.txt"}, {"b", "c"});
    SCliRun run = Run({"go", List(), "--yes"});
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_EQ(run.strErr, "tessel-cli: " + (dir / "link/a.txt") +
                              ": Unexpected error.  Please refer to help (No such file or "
                              "directory)\n");
}

}  // namespace

namespace {

// A link to a folder named on the command line is the folder; links met inside the walk
// are rows of their own, so a link that leads back up is never walked round and round.
TEST_F(CliTest, AddWalksAFolderNamedThroughALinkButNoLinkInsideIt) {
    dir.WriteFile("real/a.txt");
    dir.WriteFile("real/sub/b.txt");
    std::filesystem::create_directory_symlink(dir / "real", dir / "link");
    std::filesystem::create_directory_symlink("../link", dir / "real/cycle");
    SCliRun flat = Run({"add", List(), "link"});
    EXPECT_EQ(flat.nStatus, 1);
    EXPECT_THAT(flat.strErr, HasSubstr("--recursive"));
    EXPECT_FALSE(PathExists(List()));
    SCliRun walked = Run({"add", List(), "link", "--recursive"});
    EXPECT_EQ(walked.nStatus, 0) << walked.strErr;
    EXPECT_THAT(Column(Run({"show", List()}).strOut, 5),
                ElementsAre(dir / "link/a.txt", dir / "link/cycle", dir / "link/sub/b.txt"));
}

}  // namespace

namespace {

// Two replaces with long texts once grew a name to gigabytes; the first that would pass
// the limit is refused, with the list left as it was.
TEST_F(CliTest, AReplaceThatWouldGrowANamePastTheLimitIsRefused) {
    WriteList({dir.WriteFile("aaa.txt")});
    std::string before = ReadFileBytes(List());
    std::string replacement(2000, 'a');
    SCliRun first = Run({"replace", List(), "a", replacement});
    EXPECT_EQ(first.nStatus, 1);
    EXPECT_THAT(first.strErr, HasSubstr("4,096 bytes"));
    SCliRun second = Run({"replace", List(), "a", replacement});
    EXPECT_EQ(second.nStatus, 1);
    EXPECT_EQ(ReadFileBytes(List()), before);
}

}  // namespace
