#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/FolderCache.h"
#include "platform/WriteAccess.h"
#include "support/ReadOnlyFile.h"
#include "support/TempDir.h"

namespace {

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
    CFolderCache::SPlace root = folders.Locate(etc);
    EXPECT_NE(root.nFolder, AT_FDCWD);
    EXPECT_STREQ(root.pszName, "etc");

    // Write access asked through the cache gets the answers of whole paths.
    std::string locked = dir.WriteFile("r.mp3", "r");
    CReadOnlyFile readOnly;
    bool protectedFile = readOnly.Protect(locked);
    for (CFolderCache* cache : {static_cast<CFolderCache*>(nullptr), &folders}) {
        EXPECT_EQ(QueryWriteAccess(file, cache), EWriteAccess::Writable);
        if (protectedFile) {
            EXPECT_EQ(QueryWriteAccess(locked, cache), EWriteAccess::ReadOnly);
        }
        // With a zero byte the system would stop there and answer for another file.
        for (const std::string& path :
             {dir / "gone.mp3", dir / "none/x.mp3", file + "/x", file + std::string(1, '\0') + "x"})
            EXPECT_EQ(QueryWriteAccess(path, cache), EWriteAccess::NotFound) << path;
    }
}

}  // namespace
