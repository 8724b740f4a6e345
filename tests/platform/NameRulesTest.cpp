#include "platform/NameRules.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// FUSE file systems are told apart by the mount table alone.
TEST(NameRulesTest, KnowsTheFileSystemsThatKeepWindowsNames) {
    EXPECT_TRUE(MagicRefusesReservedChars(0x4d44ul));       // FAT
    EXPECT_FALSE(MagicRefusesReservedChars(0xEF53ul));      // ext4
    EXPECT_FALSE(MagicRefusesReservedChars(0x65735546ul));  // FUSE
    for (const char* type : {"vfat", "fuseblk", "fuse.ntfs-3g"})
        EXPECT_TRUE(MountRefusesReservedChars(type)) << type;
    for (const char* type : {"ext4", "fuse.sshfs", "fuse", "", "vfatx"})
        EXPECT_FALSE(MountRefusesReservedChars(type)) << type;
}

TEST(NameRulesTest, FindsTheMountOfADeviceInTheMountTable) {
    // Optional fields come and go between the options and the separator; a mount point may
    // hold an escaped space.
    const std::string table =
        "21 26 0:20 / /proc rw,relatime - proc proc rw\n"
        "30 26 8:17 / /media/usb\\040stick rw,nosuid shared:5 master:1 - vfat /dev/sdb1 rw\n"
        "31 26 0:52 / /media/win rw,relatime shared:9 - fuseblk /dev/sdc1 rw,user_id=0\n"
        "32 26 8:1 / / rw - ext4 /dev/sda1 rw\n";
    auto typeOf = [&](unsigned major, unsigned minor) {
        std::istringstream in(table);
        return MountTypeOf(in, major, minor);
    };
    EXPECT_EQ(typeOf(8, 17), "vfat");
    EXPECT_EQ(typeOf(0, 52), "fuseblk");
    EXPECT_EQ(typeOf(8, 1), "ext4");
    EXPECT_EQ(typeOf(8, 2), "");
    EXPECT_EQ(typeOf(0, 5), "");  // not a prefix match of 0:52

    std::istringstream broken("40 26 0:60 / /x rw\n");
    EXPECT_EQ(MountTypeOf(broken, 0, 60), "");
}

}  // namespace
