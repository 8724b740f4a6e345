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

TEST(FolderCacheTest, PathsWithoutAnOpenableFolderAreReachedWhole) {
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
}

TEST(WriteAccessTest, TheCacheGivesTheSameAnswersAsWholePaths) {
    CTempDir dir;
    std::string writable = dir.WriteFile("w.mp3", "w");
    std::string locked = dir.WriteFile("r.mp3", "r");
    std::string gone = dir / "gone.mp3";
    std::string noFolder = dir / "none/x.mp3";
    std::string cut = writable + std::string(1, '\0') + "x";
    CReadOnlyFile readOnly;
    bool protectedFile = readOnly.Protect(locked);
    CFolderCache folders;
    for (CFolderCache* cache : {static_cast<CFolderCache*>(nullptr), &folders}) {
        EXPECT_EQ(QueryWriteAccess(writable, cache), EWriteAccess::Writable);
        if (protectedFile) {
            EXPECT_EQ(QueryWriteAccess(locked, cache), EWriteAccess::ReadOnly);
        }
        EXPECT_EQ(QueryWriteAccess(gone, cache), EWriteAccess::NotFound);
        EXPECT_EQ(QueryWriteAccess(noFolder, cache), EWriteAccess::NotFound);
        EXPECT_EQ(QueryWriteAccess(writable + "/x", cache), EWriteAccess::NotFound);
        // The system would stop at the zero byte and answer for another file.
        EXPECT_EQ(QueryWriteAccess(cut, cache), EWriteAccess::NotFound);
    }
}

}  // namespace
