// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NameRules.h"

#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

#include <array>
#include <fstream>
#include <sstream>

namespace {

// Kernel magic numbers of the file systems that keep Windows' naming rules.
constexpr std::array<unsigned long, 7> kReservedCharsMagics = {
    0x4d44,      // FAT (msdos, vfat)
    0x2011BAB0,  // exFAT
    0x5346544e,  // NTFS (the old driver)
    0x7366746e,  // NTFS (ntfs3)
    0x517B,      // SMB
    0xFF534D42,  // CIFS
    0xFE534D42,  // SMB2/3
};
constexpr unsigned long kFuseMagic = 0x65735546;

// The mount table's names for the same file systems, native or through FUSE. "fuseblk"
// is a FUSE file system on a block device: in practice ntfs-3g or exFAT.
constexpr std::array<std::string_view, 15> kReservedCharsTypes = {
    "msdos",
    "vfat",
    "exfat",
    "ntfs",
    "ntfs3",
    "cifs",
    "smb3",
    "smbfs",
    "fuseblk",
    "fuse.ntfs-3g",
    "fuse.lowntfs-3g",
    "fuse.ntfs",
    "fuse.exfat",
    "fuse.fuse-exfat",
    "fuse.vfat",
};

}  // namespace

bool MagicRefusesReservedChars(unsigned long magic, const std::function<std::string()>& mountType) {
    if (magic == kFuseMagic)
        return MountRefusesReservedChars(mountType());
    for (unsigned long known : kReservedCharsMagics)
        if (magic == known)
            return true;
    return false;
}

bool MountRefusesReservedChars(std::string_view type) {
    for (std::string_view known : kReservedCharsTypes)
        if (type == known)
            return true;
    return false;
}

std::string MountTypeOf(std::istream& mountinfo, unsigned major, unsigned minor) {
    const std::string device = std::to_string(major) + ":" + std::to_string(minor);
    std::string line;
    while (std::getline(mountinfo, line)) {
        // ID PARENT MAJOR:MINOR ROOT MOUNTPOINT OPTIONS [OPTIONAL...] - TYPE SOURCE OPTIONS
        std::istringstream fields(line);
        std::string id, parent, numbers;
        if (!(fields >> id >> parent >> numbers) || numbers != device)
            continue;
        std::string field;
        while (fields >> field)
            if (field == "-")
                break;
        std::string type;
        if (field == "-" && fields >> type)
            return type;
    }
    return "";
}

bool RefusesReservedChars(const std::string& folder) {
    const char* path = folder.empty() ? "." : folder.c_str();
    struct statfs fs;
    if (statfs(path, &fs) != 0)
        return false;
    // Reading the mount table costs more than the rest: it is read for FUSE alone.
    return MagicRefusesReservedChars(static_cast<unsigned long>(fs.f_type), [path] {
        struct stat st;
        if (stat(path, &st) != 0)
            return std::string();
        std::ifstream mountinfo("/proc/self/mountinfo");
        return MountTypeOf(mountinfo, major(st.st_dev), minor(st.st_dev));
    });
}
