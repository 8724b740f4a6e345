// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "platform/NameRules.h"
#include "platform/ParallelParts.h"
#include "platform/PathFacts.h"
#include "support/TempDir.h"

namespace {

// Spellings of one path become one. Relative paths start at the current folder; ".."
// after a symbolic link to a folder leads where the kernel goes, the parent of the link's
// target, while after a real folder the rest is spelled as given, so both spellings of one
// file through a linked folder give the same path.
TEST(AbsolutePathTest, SpellingsOfOnePathBecomeOneAndDotDotAfterLinksGoesWhereTheKernelGoes) {
    CTempDir dir;
    dir.MakeFolder("real/inner/sub");
    ASSERT_EQ(symlink((dir / "real/inner").c_str(), (dir / "link").c_str()), 0);
    std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    // clang-format off
    std::pair<std::string, std::string> cases[] = {
        {"//", "/"}, {"/a//b/", "/a/b"}, {"/a/./b/.", "/a/b"}, {"/../a/..", "/"},
        {"/a/b/../../c", "/c"}, {"", ""}, {"x.txt", dir / "x.txt"}, {".", dir.Path()},
        {"./real/../x.txt", dir / "x.txt"}, {"link/../f.txt", dir / "real/f.txt"},
        {dir / "link/../f.txt", dir / "real/f.txt"},
        {dir / "link/sub/../g.txt", dir / "link/g.txt"}};
    // clang-format on
    for (const auto& [given, absolute] : cases)
        EXPECT_EQ(AbsolutePath(given), absolute) << given;
    std::filesystem::current_path(saved);
}

// FUSE file systems are told apart by the mount table alone. Optional fields come and go
// between a mount's options and the separator; a mount point may hold an escaped space.
TEST(NameRulesTest, FindsTheFileSystemsThatKeepWindowsNamesInTheMountTable) {
    const std::string table =
        "21 26 0:20 / /proc rw,relatime - proc proc rw\n"
        "30 26 8:17 / /media/usb\\040stick rw,nosuid shared:5 master:1 - vfat /dev/sdb1 rw\n"
        "31 26 0:52 / /media/win rw,relatime shared:9 - fuse.ntfs-3g /dev/sdc1 rw,user_id=0\n"
        "32 26 8:1 / / rw - fuseblk /dev/sda1 rw\n"
        "40 26 0:60 / /x rw\n";  // broken: no separator
    // A device the table does not hold, or holds only broken, refuses nothing; 0:5 is no
    // prefix match of 0:52. Other FUSE types and names that merely start alike refuse nothing.
    for (auto [major, minor, type] : {std::tuple{8u, 17u, "vfat"}, {0u, 52u, "fuse.ntfs-3g"},
                                      {8u, 1u, "fuseblk"}, {8u, 2u, ""}, {0u, 5u, ""}, {0u, 60u, ""}}) {
        std::istringstream in(table);
        EXPECT_EQ(MountTypeOf(in, major, minor), type);
        EXPECT_EQ(MountRefusesReservedChars(type), *type != '\0') << type;
    }
    EXPECT_FALSE(MountRefusesReservedChars("fuse.sshfs") || MountRefusesReservedChars("vfatx"));
}

// Every item is worked once, in parts of their own. A part that throws must not end the
// process: the others finish, and the caller gets the exception.
TEST(ParallelPartsTest, EveryItemIsWorkedOnceAndAThrowingPartReachesTheCaller) {
    for (size_t count : {0u, 1u, 700u, 1024u, 5001u}) {
        std::vector<std::atomic<int>> seen(count);
        auto work = [&](size_t part, size_t first, size_t last) {
            EXPECT_LT(part, kMostParts);
            for (size_t i = first; i < last; ++i)
                ++seen[i];
            if (first <= 3000 && 3000 < last)
                throw std::runtime_error("part failed");
        };
        if (count > 3000)
            EXPECT_THROW(ForEachPart(count, work), std::runtime_error);
        else
            ForEachPart(count, work);
        for (size_t i = 0; i < count; ++i)
            ASSERT_EQ(seen[i], 1) << "item " << i << " of " << count;
    }
}

}  // namespace
