#include <gtest/gtest.h>

#include "platform/NameRules.h"

namespace {

// A FUSE file system is judged by its type in the mount table, and only a FUSE one: for
// any other the number decides, whatever the table would say.
TEST(NameRulesTest, OnlyAFuseFileSystemIsJudgedByItsMountType) {
    constexpr unsigned long kFuse = 0x65735546, kVfat = 0x4d44, kExt4 = 0xEF53;
    struct {
        unsigned long magic;
        const char* type;
        bool refuses;
    } cases[] = {{kFuse, "fuse.ntfs-3g", true},
                 {kFuse, "fuse.sshfs", false},
                 {kFuse, "", false},
                 {kVfat, "ext4", true},
                 {kExt4, "vfat", false}};
    for (const auto& c : cases) {
        int asked = 0;
        auto mountType = [&] {
            ++asked;
            return std::string(c.type);
        };
        EXPECT_EQ(MagicRefusesReservedChars(c.magic, mountType), c.refuses) << c.type;
        EXPECT_EQ(asked, c.magic == kFuse ? 1 : 0) << c.type;
    }
}

}  // namespace
