#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>

#include "model/TesselDoc.h"
#include "support/SessionFixture.h"

namespace {

// Every call that sets the mask, counted: the mask is shared by every thread of the
// process, so while it is changed, files that another thread creates get the wrong
// permissions.
std::atomic<int> g_nMaskChanges{0};

}  // namespace

extern "C" mode_t umask(mode_t mask) noexcept {
    ++g_nMaskChanges;
    return static_cast<mode_t>(syscall(SYS_umask, mask));
}

namespace {

// Sets the mask for one test and puts the old one back.
class CMaskForTest {
public:
    explicit CMaskForTest(mode_t mask) : m_old(umask(mask)) { g_nMaskChanges = 0; }
    ~CMaskForTest() { umask(m_old); }

private:
    mode_t m_old;
};

using NewListModeTest = SessionTest;

TEST_F(NewListModeTest, ANewListGetsWhatTheMaskAllowsWithoutTheMaskBeingChanged) {
    CMaskForTest set(027);
    AddRow("a.txt");
    CTesselDoc doc(session);
    std::string path = dir / "new.tsl";
    ASSERT_TRUE(doc.OnSaveDocument(path));
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(g_nMaskChanges, 0);
}

}  // namespace
