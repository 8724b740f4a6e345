#include "platform/NameRules.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// FUSE file systems are told apart by the mount table alone. Optional fields come and go
// between a mount's options and the separator; a mount point may hold an escaped space.
TEST(NameRulesTest, FindsTheFileSystemsThatKeepWindowsNamesInTheMountTable) {
    for (const char* type : {"ext4", "fuse.sshfs", "fuse", "", "vfatx"})
        EXPECT_FALSE(MountRefusesReservedChars(type)) << type;
    const std::string table =
        "21 26 0:20 / /proc rw,relatime - proc proc rw\n"
        "30 26 8:17 / /media/usb\\040stick rw,nosuid shared:5 master:1 - vfat /dev/sdb1 rw\n"
        "31 26 0:52 / /media/win rw,relatime shared:9 - fuse.ntfs-3g /dev/sdc1 rw,user_id=0\n"
        "32 26 8:1 / / rw - fuseblk /dev/sda1 rw\n"
        "40 26 0:60 / /x rw\n";  // broken: no separator
    // A device the table does not hold, or holds only broken, refuses nothing; 0:5 is no
    // prefix match of 0:52.
    std::pair<unsigned, unsigned> devices[] = {{8, 17}, {0, 52}, {8, 1}, {8, 2}, {0, 5}, {0, 60}};
    const char* types[] = {"vfat", "fuse.ntfs-3g", "fuseblk", "", "", ""};
    for (size_t i = 0; i < std::size(devices); ++i) {
        std::istringstream in(table);
        std::string type = MountTypeOf(in, devices[i].first, devices[i].second);
        EXPECT_EQ(type, types[i]);
        EXPECT_EQ(MountRefusesReservedChars(type), i < 3) << type;
    }
}

}  // namespace
