#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileRename.h"
#include "races/FolderChanges.h"
#include "support/TempDir.h"

namespace {

using FolderChanges::SBehaviour;
using FolderChanges::SMoment;

// More moments than any rename here passes through, so the last ones come after it.
constexpr int kMoments = 12;

// Creates a file that must not exist yet; false when the name is taken.
bool CreateNew(const std::string& path, const std::string& bytes) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool written = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(fd);
    return written;
}

// The contents of every file in a folder, sorted: a file lost or left with a second
// name shows here.
std::vector<std::string> Contents(const std::string& folder) {
    std::vector<std::string> contents;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        contents.push_back(ReadFileBytes(entry.path().string()));
    std::sort(contents.begin(), contents.end());
    return contents;
}

class RenameRaceTest : public ::testing::Test {
protected:
    ~RenameRaceTest() override { FolderChanges::Disarm(); }
};

// On a file system that ignores letter case, a case-only change moves the one entry
// through a free name of its own. A file that appears under the new name at any moment is
// never replaced, and the file being renamed keeps a name.
TEST_F(RenameRaceTest, ACaseOnlyRenameNeverReplacesAFileThatAppearsAtTheNewName) {
    for (SBehaviour behaviour : {SBehaviour{true, false}, SBehaviour{true, true}}) {
        for (int at = 1; at <= kMoments; ++at) {
            SCOPED_TRACE("rename flags " +
                         std::string(behaviour.bNoRenameFlags ? "refused" : "taken") +
                         ", a file appears at moment " + std::to_string(at));
            CTempDir dir;
            std::string from = dir.WriteFile("song.mp3", "music");
            std::string to = dir / "Song.mp3";
            bool placed = false;
            FolderChanges::Arm(behaviour, [&](const SMoment& moment) {
                if (moment.nIndex == at)
                    placed = CreateNew(to, "intruder");
            });
            bool renamed = RenameFile(from, to);
            FolderChanges::Disarm();
            if (placed) {
                EXPECT_FALSE(renamed);
                EXPECT_EQ(ReadFileBytes(to), "intruder");
                EXPECT_EQ(Contents(dir.Path()), (std::vector<std::string>{"intruder", "music"}));
            } else {
                EXPECT_TRUE(renamed);
                EXPECT_EQ(ReadFileBytes(to), "music");
                EXPECT_EQ(Contents(dir.Path()), std::vector<std::string>{"music"});
            }
        }
    }
}

// Where the file system takes no rename flags, the file is linked under its new name and
// the old name unlinked. When the old name is given to another file meanwhile, that file
// is never unlinked: every file ends under exactly one name. The moment between the last
// look at the old name and its unlink cannot be closed without a no-replace rename, so
// it is the one moment left out.
TEST_F(RenameRaceTest, TheLinkFallbackNeverUnlinksAFileThatTookTheOldName) {
    for (int at = 1; at <= kMoments; ++at) {
        SCOPED_TRACE("the old name changes hands at moment " + std::to_string(at));
        CTempDir dir;
        std::string from = dir.WriteFile("a.txt", "alpha");
        std::string to = dir / "b.txt";
        bool placed = false;
        bool skipped = false;
        FolderChanges::Arm(SBehaviour{false, true}, [&](const SMoment& moment) {
            if (moment.nIndex != at)
                return;
            if (moment.bBefore && moment.strCall == "unlinkat") {
                skipped = true;
                return;
            }
            placed = std::rename(from.c_str(), (dir / "moved.txt").c_str()) == 0 &&
                     CreateNew(from, "intruder");
        });
        bool renamed = RenameFile(from, to);
        FolderChanges::Disarm();
        if (skipped)
            continue;
        std::vector<std::string> expected{"alpha"};
        if (placed)
            expected.push_back("intruder");
        EXPECT_EQ(Contents(dir.Path()), expected);
        EXPECT_EQ(PathExists(to), renamed);
    }
}

}  // namespace
