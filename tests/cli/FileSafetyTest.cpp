#include <signal.h>
#include <sys/stat.h>

#include "cli/CliFixture.h"
#include "model/Archive.h"
#include "mp3/Mp3Fixture.h"
#include "support/RawList.h"

namespace {

using FileSafetyTest = CliTest;

TEST_F(FileSafetyTest, ADamagedListFailsToOpenAndNoCommandRewritesIt) {
    std::vector<std::string> files = {dir.WriteFile("f/c.txt"), dir.WriteFile("f/a.txt"),
                                      dir.WriteFile("f/b.txt")};
    WriteList(files);
    std::string whole = ReadFileBytes(List());
    std::string fewer = whole;
    fewer[14] = 1;  // the row count, lowered from 3 to 1
    struct SCase {
        std::string bytes;
        std::vector<std::string> command;
    } cases[] = {{fewer, {"sort", List(), "Current Filename"}},
                 {whole + "x", {"replace", List(), "nothing-matches-this", "y"}},
                 {whole + "x", {"go", List(), "--yes"}}};
    for (const SCase& c : cases) {
        dir.WriteFile("list.tsl", c.bytes);
        SCliRun run = Run(c.command);
        EXPECT_EQ(run.nStatus, 1) << c.command[0];
        EXPECT_THAT(run.strErr, HasSubstr(List() + ": the list is damaged")) << c.command[0];
        EXPECT_EQ(ReadFileBytes(List()), c.bytes) << c.command[0];
    }
    EXPECT_THAT(Names(dir / "f"), ElementsAre("a.txt", "b.txt", "c.txt"));
}

TEST_F(FileSafetyTest, ARowWhosePathDoesNotEndInItsNameMovesNoFile) {
    std::string target = dir.WriteFile("target/x", "");
    std::string victim = dir.WriteFile("music/sub/file.txt", "mine");
    std::vector<std::pair<std::string, std::string>> crafted[] = {
        {{"../music/sub/file.txt", dir / "target/../music/sub/file.txt"}},
        {{std::string(victim.size() + 1, 'n'), victim}},
        {{"file.txt", "music/sub/file.txt"}},
        {{"file.txt", dir / "music//sub/file.txt"}},
        {{"sub/file.txt", victim}},
        {{"", dir / "music/sub/"}}};
    for (const auto& rows : crafted) {
        dir.WriteFile("list.tsl", RawList(rows));
        SCliRun run = Run({"go", List(), "--yes"});
        EXPECT_EQ(run.nStatus, 1) << rows[0].second;
        EXPECT_THAT(run.strErr, HasSubstr("damaged")) << rows[0].second;
        EXPECT_EQ(ReadFileBytes(victim), "mine");
        EXPECT_THAT(Names(dir / "target"), ElementsAre("x"));
    }
    // The same row spelled soundly is renamed where it lies.
    dir.WriteFile("list.tsl", RawList({{"file.txt", victim}}));
    EXPECT_EQ(Run({"go", List(), "--yes"}).nStatus, 0);
    EXPECT_THAT(Names(dir / "music/sub"), ElementsAre("moved"));
}

// Under a file size limit a write past it fails instead of ending the process, and the
// file it was meant to change is left as it was.
TEST_F(FileSafetyTest, AFileSizeLimitFailsTheWriteAndLeavesEveryFileAsItWas) {
    std::string song = dir.WriteFile("s.mp3", std::string(8128, 'a'));
    m_nFileSizeLimit = 8192;
    SCliRun tag = Run({"tag", song, "--title", "Hi"});
    EXPECT_EQ(tag.nSignal, 0);
    EXPECT_EQ(tag.nStatus, 1);
    EXPECT_EQ(ReadFileBytes(song), std::string(8128, 'a'));
    EXPECT_FALSE(tag.strErr.empty());

    m_nFileSizeLimit = RLIM_INFINITY;
    std::vector<std::string> files;
    for (int i = 0; i < 60; ++i)
        files.push_back(dir.WriteFile("many/" + std::string(100, 'n') + std::to_string(i)));
    WriteList({files[0]});
    std::string before = ReadFileBytes(List());
    m_nFileSizeLimit = 4096;
    std::vector<std::string> words = {"add", List()};
    words.insert(words.end(), files.begin() + 1, files.end());
    SCliRun add = Run(words);
    EXPECT_EQ(add.nSignal, 0);
    EXPECT_EQ(add.nStatus, 1);
    EXPECT_THAT(add.strErr, HasSubstr(List()));
    EXPECT_EQ(ReadFileBytes(List()), before);
    EXPECT_THAT(Names(dir.Path()), ElementsAre("list.tsl", "many", "s.mp3"));
}

TEST_F(FileSafetyTest, AFileSizeLimitStopsGoBeforeItsFirstRename) {
    // Paths long enough that the run's record of its first rename passes the limit.
    std::string folder;
    for (int depth = 0; depth < 8; ++depth)
        folder += std::string(200, static_cast<char>('a' + depth)) + "/";
    std::string file = dir.WriteFile(folder + "a.txt", "a");
    WriteList({file}, {std::string(200, 'z')});
    m_nFileSizeLimit = 2048;
    SCliRun run = Run({"go", List(), "--yes"});
    EXPECT_EQ(run.nSignal, 0);
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_FALSE(run.strErr.empty());
    EXPECT_EQ(ReadFileBytes(file), "a");
}

// Nothing waits on opening a file: a FIFO that merely carries an MP3 name is not a
// file whose tag can be read.
TEST_F(FileSafetyTest, AFifoNamedLikeAnMp3NeverMakesACommandWait) {
    std::string fifo = dir / "x.mp3";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    std::string song = dir.WriteFile("y.mp3", kAudio + RawBlock("Song"));
    m_nTimeLimit = 10;
    SCliRun tags = Run({"tags", fifo, song});
    EXPECT_EQ(tags.nSignal, 0);
    EXPECT_EQ(tags.nStatus, 1);
    EXPECT_EQ(tags.strErr, "tessel-cli: " + fifo + ": not a regular file\n");
    EXPECT_EQ(tags.strOut, song + "\tSong\t\t\t\t\t\n");
    SCliRun tag = Run({"tag", fifo, "--title", "T"});
    EXPECT_EQ(tag.nSignal, 0);
    EXPECT_EQ(tag.nStatus, 1);
    EXPECT_THAT(tag.strErr, HasSubstr(fifo));

    CHitDoc entry;
    entry.m_strPath.Set(fifo);
    entry.m_strName.Set("x.mp3");
    entry.m_strNewName.Set("A - B");
    entry.m_strExt.Set(".mp3");
    CArchiveWriter archive;
    archive.WriteString("#TESSELHEADER");
    archive.WriteInt32(1);
    entry.Serialize(archive);
    dir.WriteFile("list.tsl", archive.Bytes());
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"show", List(), "--mp3"}, {"name-to-tag", List()}}) {
        SCliRun run = Run(words);
        EXPECT_EQ(run.nSignal, 0) << words[0];
    }
    struct stat st;
    ASSERT_EQ(lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

}  // namespace
