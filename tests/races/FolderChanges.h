#pragma once

#include <functional>
#include <string>

// This test program stands in for the system calls that look up, link, rename and unlink
// folder entries. A test can then change a folder at a chosen moment in the middle of a
// rename, and can make folders behave as on a file system that ignores letter case or
// that refuses every rename flag. Unarmed, each call goes straight to the kernel.
namespace FolderChanges {

// One moment at which a test may step in: just before or just after a call that changes
// a folder (link, rename or unlink in any of their forms), counted from 1 since Arm.
struct SMoment {
    int nIndex;
    bool bBefore;
    std::string strCall;
};

struct SBehaviour {
    // A name that is not in its folder finds an entry whose name differs only in ASCII
    // letter case, and a link or a no-replace rename onto such a name fails with EEXIST.
    bool bIgnoreCase = false;
    // renameat2 with any flag fails with EINVAL.
    bool bNoRenameFlags = false;
};

// Calls atMoment at every moment from now on; the calls it makes itself go straight to
// the kernel.
void Arm(const SBehaviour& behaviour, std::function<void(const SMoment&)> atMoment);
void Disarm();

}  // namespace FolderChanges
