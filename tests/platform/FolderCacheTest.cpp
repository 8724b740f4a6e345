#include <fcntl.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/FolderCache.h"
#include "platform/WriteAccess.h"
#include "support/ReadOnlyFile.h"
#include "support/TempDir.h"

namespace {

// Paths without a folder that opens are reached whole, and write access asked through the
// cache gets the answers of whole paths. With a zero byte the system would stop there and
// answer for another file.
TEST(FolderCacheTest, PathsWithoutAnOpenableFolderAreReachedWholeAndAnswerAsWholePaths) {
    CTempDir dir;
    std::string file = dir.WriteFile("file.mp3", "x");
    CFolderCache folders;
    for (const std::string& path :
         {std::string("relative.mp3"), dir.Path() + "/", dir / "missing/x.mp3", file + "/x.mp3"}) {
        CFolderCache::SPlace place = folders.Locate(path);
        EXPECT_EQ(place.nFolder, AT_FDCWD) << path;
        EXPECT_EQ(place.pszName, path.c_str()) << path;
    }
    const std::string etc = "/etc";
    EXPECT_NE(folders.Locate(etc).nFolder, AT_FDCWD);
    EXPECT_STREQ(folders.Locate(etc).pszName, "etc");

    std::string locked = dir.WriteFile("r.mp3", "r");
    CReadOnlyFile readOnly;
    bool isProtected = readOnly.Protect(locked);
    for (CFolderCache* cache : {static_cast<CFolderCache*>(nullptr), &folders}) {
        EXPECT_EQ(QueryWriteAccess(file, cache), EWriteAccess::Writable);
        EXPECT_EQ(QueryWriteAccess(locked, cache),
                  isProtected ? EWriteAccess::ReadOnly : EWriteAccess::Writable);
        for (const std::string& path :
             {dir / "gone.mp3", dir / "none/x.mp3", file + "/x", file + std::string(1, '\0') + "x"})
            EXPECT_EQ(QueryWriteAccess(path, cache), EWriteAccess::NotFound) << path;
    }
}

}  // namespace
