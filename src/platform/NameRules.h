// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <istream>
#include <string>
#include <string_view>

// Which characters a file name may hold depends on the file system it is made on: a
// POSIX one refuses only "/" and the zero byte, while FAT, exFAT, NTFS and SMB/CIFS
// shares also refuse the eight characters below.
inline constexpr std::string_view kReservedNameChars("\\:*?\"<>|", 8);

// Whether the file system holding the folder refuses kReservedNameChars in a name. A
// folder that cannot be asked about is taken to be POSIX: the rename then fails and says so.
bool RefusesReservedChars(const std::string& folder);

// The same question for a file system known by its statfs magic number. A FUSE file
// system is not known by its number alone: its type as the mount table names it is then
// asked of mountType (and only then), and judged by MountRefusesReservedChars.
bool MagicRefusesReservedChars(unsigned long magic, const std::function<std::string()>& mountType);
// And for a file system type as the mount table names it ("vfat", "fuseblk",
// "fuse.ntfs-3g", ...).
bool MountRefusesReservedChars(std::string_view type);
// The file system type of the mount of a device, from text in the form of
// /proc/self/mountinfo; "" when no line names the device.
std::string MountTypeOf(std::istream& mountinfo, unsigned major, unsigned minor);
