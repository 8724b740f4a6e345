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
