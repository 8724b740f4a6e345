// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

#include "files/JournalFolder.h"
#include "files/ListGuard.h"
#include "files/ListKey.h"
#include "files/ListLock.h"
#include "support/TempDir.h"

namespace {

// The key of path as seen from folder (a relative spelling is taken from there).
std::string KeyFrom(const std::string& folder, const std::string& path) {
    char saved[PATH_MAX];
    EXPECT_NE(getcwd(saved, sizeof saved), nullptr);
    EXPECT_EQ(chdir(folder.c_str()), 0);
    std::string canonical = CanonicalListPath(path);
    EXPECT_EQ(chdir(saved), 0);
    EXPECT_FALSE(canonical.empty()) << path;
    return ListKey(canonical);
}

// A saved list reached through a link, through "..", relatively, and a list not saved yet
// reached the same ways (a dangling link to it included): each has one key.
TEST(ListKeyTest, EverySpellingOfAListHasOneKey) {
    CTempDir dir;
    std::string saved = dir.WriteFile("lists/a.tsl", "list");
    dir.MakeFolder("lists/sub");
    ASSERT_EQ(symlink("lists/a.tsl", (dir / "link.tsl").c_str()), 0);
    ASSERT_EQ(symlink("lists", (dir / "alias").c_str()), 0);
    ASSERT_EQ(symlink("lists/new.tsl", (dir / "later.tsl").c_str()), 0);
    std::string key = KeyFrom("/", saved);
    EXPECT_EQ(key.size(), 16u);
    EXPECT_EQ(key.find_first_not_of("0123456789abcdef"), std::string::npos);
    std::string unsaved = KeyFrom("/", dir / "lists/new.tsl");
    for (const std::string& spelling :
         {dir / "link.tsl", dir / "lists/sub/../a.tsl", dir / "alias/./a.tsl"})
        EXPECT_EQ(KeyFrom("/", spelling), key) << spelling;
    EXPECT_EQ(KeyFrom(dir / "lists/sub", "../a.tsl"), key);
    for (const std::string& spelling :
         {dir / "lists/sub/../new.tsl", dir / "alias/new.tsl", dir / "later.tsl"})
        EXPECT_EQ(KeyFrom("/", spelling), unsaved) << spelling;
    EXPECT_EQ(KeyFrom(dir / "alias", "new.tsl"), unsaved);
    EXPECT_NE(unsaved, key);
    EXPECT_NE(KeyFrom("/", dir.WriteFile("lists/b.tsl")), key);
    EXPECT_EQ(CanonicalListPath(dir / "none/a.tsl"), "");
}

// Locks in a journal folder of a temporary folder, which the guards use too.
class ListLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* state = getenv("XDG_STATE_HOME");
        m_bHadState = state != nullptr;
        m_strSavedState = m_bHadState ? state : "";
        setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
        std::string error;
        ASSERT_TRUE(folder.Open(dir / "state/tessel", error)) << error;
    }
    void TearDown() override {
        m_bHadState ? setenv("XDG_STATE_HOME", m_strSavedState.c_str(), 1)
                    : unsetenv("XDG_STATE_HOME");
    }
    std::vector<std::string> LockFiles() const { return FolderNames(folder.Path()); }

    CTempDir dir;
    CJournalFolder folder;
    bool m_bHadState = false;
    std::string m_strSavedState;
};

// The lock is the list's, not its file's: a list replaced by a rename onto it, and
// reached by another spelling, is still locked; and so is a list that has no file.
TEST_F(ListLockTest, TheLockHoldsThroughAReplacedFileAndAnotherSpelling) {
    std::string list = dir.WriteFile("a.tsl", "old");
    ASSERT_EQ(symlink("a.tsl", (dir / "link.tsl").c_str()), 0);
    CListGuard holder;
    std::string error;
    ASSERT_TRUE(holder.Take(dir / "link.tsl", error)) << error;
    ASSERT_EQ(std::rename(dir.WriteFile("saved.tsl", "new").c_str(), list.c_str()), 0);
    CListGuard other;
    EXPECT_FALSE(other.Take(list, error, std::chrono::milliseconds(0)));
    EXPECT_EQ(error, "the list is in use by another process; nothing was changed");
    EXPECT_EQ(other.Key(), holder.Key());
    CListGuard untitled, again;
    EXPECT_TRUE(untitled.TakeKey("untitled-1", error));
    EXPECT_FALSE(again.TakeKey("untitled-1", error, std::chrono::milliseconds(0)));
    EXPECT_TRUE(again.TakeKey("untitled-2", error, std::chrono::milliseconds(0))) << error;
}

// A lock file is there while its lock is held; a file a dead holder left is taken over;
// a name that is no longer the holder's own file is not removed.
TEST_F(ListLockTest, NoLockFileOutlivesItsHolder) {
    std::string error;
    {
        CListGuard guard;
        ASSERT_TRUE(guard.Take(dir / "a.tsl", error)) << error;
        EXPECT_EQ(LockFiles(), std::vector<std::string>{guard.Key() + ".lock"});
    }
    EXPECT_TRUE(LockFiles().empty());
    dir.WriteFile("state/tessel/0123456789abcdef.lock");
    CListLock lock;
    ASSERT_TRUE(lock.Acquire(folder, "0123456789abcdef", error, std::chrono::milliseconds(0)));
    lock.Release();
    EXPECT_TRUE(LockFiles().empty());
    ASSERT_TRUE(lock.Acquire(folder, "0123456789abcdef", error)) << error;
    ASSERT_EQ(unlink((dir / "state/tessel/0123456789abcdef.lock").c_str()), 0);
    dir.WriteFile("state/tessel/0123456789abcdef.lock", "another's");
    lock.Release();
    EXPECT_EQ(ReadFileBytes(dir / "state/tessel/0123456789abcdef.lock"), "another's");
}

TEST_F(ListLockTest, IsHeldOnlyWhileALockIsAndMakesNoFile) {
    EXPECT_FALSE(CListLock::IsHeld(folder, "00000000000000aa"));
    EXPECT_TRUE(LockFiles().empty());
    std::string error;
    {
        CListLock lock;
        ASSERT_TRUE(lock.Acquire(folder, "00000000000000aa", error)) << error;
        EXPECT_TRUE(CListLock::IsHeld(folder, "00000000000000aa"));
        EXPECT_FALSE(CListLock::IsHeld(folder, "00000000000000bb"));
        EXPECT_EQ(LockFiles().size(), 1u);
    }
    EXPECT_FALSE(CListLock::IsHeld(folder, "00000000000000aa"));
    EXPECT_TRUE(LockFiles().empty());
    // A file a dead holder left is not held, and stays for the next holder to take over.
    dir.WriteFile("state/tessel/00000000000000aa.lock");
    EXPECT_FALSE(CListLock::IsHeld(folder, "00000000000000aa"));
    EXPECT_EQ(LockFiles().size(), 1u);
}

}  // namespace
