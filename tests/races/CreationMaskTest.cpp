// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>

#include "model/TesselDoc.h"
#include "support/SessionFixture.h"

// Every call that sets the mask, counted: the mask is shared by every thread of the
// process, so while it is changed, files that another thread creates get the wrong
// permissions.
static std::atomic<int> g_nMaskChanges{0};

extern "C" mode_t umask(mode_t mask) noexcept {
    ++g_nMaskChanges;
    return static_cast<mode_t>(syscall(SYS_umask, mask));
}

using NewListModeTest = SessionTest;

TEST_F(NewListModeTest, ANewListGetsWhatTheMaskAllowsWithoutTheMaskBeingChanged) {
    mode_t old = umask(027);
    g_nMaskChanges = 0;
    AddRow("a.txt");
    EXPECT_TRUE(CTesselDoc(session).OnSaveDocument(dir / "new.tsl"));
    EXPECT_EQ(g_nMaskChanges, 0);
    umask(old);
    struct stat st {};
    EXPECT_EQ(stat((dir / "new.tsl").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}
