#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "model/TesselDoc.h"
#include "support/FileSizeLimit.h"
#include "support/OtherUser.h"
#include "support/SessionFixture.h"
#include "support/TempDir.h"

namespace {

using ::testing::ElementsAre;

class ListSaveTest : public SessionTest {
protected:
    ListSaveTest() {
        for (int row = 0; row < 3; ++row)
            AddRow("song " + std::to_string(row) + ".mp3");
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static struct stat Lstat(const std::string& path) {
        struct stat st {};
        lstat(path.c_str(), &st);
        return st;
    }

    CTesselDoc doc{session};
};

// As root, a list keeps its owner and its group, whichever of them is root's.
TEST_F(ListSaveTest, AReplacedListKeepsItsOwnerAndMode) {
    constexpr unsigned kNobody = COtherUser::kNobody;
    for (auto [owner, group] : {std::pair{kNobody, kNobody}, {kNobody, 0u}, {0u, kNobody}}) {
        std::string path = dir.WriteFile("list.tsl", "old");
        ASSERT_EQ(chmod(path.c_str(), 0640), 0);
        if (geteuid() == 0) {
            ASSERT_EQ(chown(path.c_str(), owner, group), 0);
        }
        struct stat before = Lstat(path);
        ASSERT_TRUE(doc.OnSaveDocument(path));
        EXPECT_EQ(ReadFileBytes(path), SerializeList(session));
        struct stat after = Lstat(path);
        EXPECT_EQ(std::tie(after.st_mode, after.st_uid, after.st_gid),
                  std::tie(before.st_mode, before.st_uid, before.st_gid));
        EXPECT_THAT(Names(), ElementsAre("list.tsl"));
    }
}

// Whatever stands at the list's name and may not simply be replaced by a new file is
// refused with a message naming the list, and stays as it was.
TEST_F(ListSaveTest, WhatIsNoWritableRegularFileIsNeverReplaced) {
    std::string readOnly = dir.WriteFile("read-only.tsl", "old");
    ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
    std::string fifo = dir / "fifo.tsl";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    std::string dangling = dir / "dangling.tsl";
    ASSERT_EQ(symlink((dir / "nowhere/list.tsl").c_str(), dangling.c_str()), 0);
    std::vector<std::string> names = Names();
    for (const std::string& path : {readOnly, fifo, dangling}) {
        SCOPED_TRACE(path);
        struct stat before = Lstat(path);
        prompts.m_messages.clear();
        EXPECT_FALSE(doc.OnSaveDocument(path));
        ASSERT_EQ(prompts.m_messages.size(), 1u);
        EXPECT_THAT(prompts.m_messages[0], ::testing::StartsWith("Cannot save " + path + ": "));
        struct stat after = Lstat(path);
        EXPECT_EQ(std::tie(after.st_ino, after.st_mode), std::tie(before.st_ino, before.st_mode));
        EXPECT_EQ(Names(), names);
    }
    EXPECT_EQ(ReadFileBytes(readOnly), "old");
}

// A save that fails, or is killed halfway (here by the file size signal at its default),
// leaves the list as it was and nothing behind for anyone to clean up.
TEST_F(ListSaveTest, AFailedOrKilledSaveLeavesTheListAsItWasAndNoOtherFile) {
    std::string path = dir.WriteFile("list.tsl", "old");
    for (int row = 0; row < 100; ++row)
        AddRow(std::string(200, 'x') + std::to_string(row));
    {
        CFileSizeLimit limit(4096);
        EXPECT_FALSE(doc.OnSaveDocument(path));
    }
    EXPECT_THAT(prompts.m_messages.back(), ::testing::HasSubstr("File too large"));
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_THAT(Names(), ElementsAre("list.tsl"));
    pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_DFL);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        doc.OnSaveDocument(path);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_THAT(Names(), ElementsAre("list.tsl"));
}

}  // namespace
