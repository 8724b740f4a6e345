#include <signal.h>
#include <sys/stat.h>

#include "cli/CliFixture.h"
#include "mp3/Mp3Fixture.h"
#include "support/RawList.h"

namespace {

using FileSafetyTest = CliTest;

// A crafted row whose path leaves the folder its name is in is refused with the list
// (the ways of crafting one are judged where lists load); a sound row is renamed.
TEST_F(FileSafetyTest, ARowWhosePathDoesNotEndInItsNameMovesNoFile) {
    std::string target = dir.WriteFile("target/x", "");
    std::string victim = dir.WriteFile("music/sub/file.txt", "mine");
    dir.WriteFile("list.tsl",
                  RawList({{"../music/sub/file.txt", dir / "target/../music/sub/file.txt"}}));
    Expect(1, {"go", List(), "--yes"}, "damaged");
    EXPECT_EQ(ReadFileBytes(victim), "mine");
    EXPECT_THAT(Names(dir / "target"), ElementsAre("x"));
    dir.WriteFile("list.tsl", RawList({{"file.txt", victim}}));
    Expect(0, {"go", List(), "--yes"});
    EXPECT_THAT(Names(dir / "music/sub"), ElementsAre("moved"));
}

// Under a file size limit a write past it fails instead of ending the process (the
// signal stays at its default, as a shell gives it): the run's record of its first rename
// (a path long enough to pass the limit) cannot be written, so no file is renamed.
TEST_F(FileSafetyTest, AJournalPastTheFileSizeLimitFailsTheRunBeforeAnyRename) {
    std::string folder;
    for (int depth = 0; depth < 8; ++depth)
        folder += std::string(200, static_cast<char>('a' + depth)) + "/";
    std::string deep = dir.WriteFile(folder + "a.txt", "a");
    WriteList({deep}, {std::string(200, 'z')});
    std::string before = ReadFileBytes(List());
    m_nFileSizeLimit = 2048;
    Expect(1, {"go", List(), "--yes"}, "tessel-cli: ");
    EXPECT_EQ(ReadFileBytes(deep), "a");
    EXPECT_EQ(ReadFileBytes(List()), before);
    EXPECT_THAT(Names(dir.Path()), ElementsAre(std::string(200, 'a'), "list.tsl"));
}

// Nothing waits on opening a file: a FIFO that merely carries an MP3 name is not a
// file whose tag can be read.
TEST_F(FileSafetyTest, AFifoNamedLikeAnMp3NeverMakesACommandWait) {
    std::string fifo = dir / "x.mp3";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    std::string song = dir.WriteFile("y.mp3", kAudio + RawBlock("Song"));
    m_nTimeLimit = 10;
    SCliRun tags = Expect(1, {"tags", fifo, song});
    EXPECT_EQ(tags.strErr, "tessel-cli: " + fifo + ": not a regular file\n");
    EXPECT_EQ(tags.strOut, song + "\tSong\t\t\t\t\t\n");
    Expect(1, {"tag", fifo, "--title", "T"}, fifo);  // a signal would be no status
    struct stat st;
    ASSERT_EQ(lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

}  // namespace
