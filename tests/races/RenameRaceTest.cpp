#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
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
    FILE* file = std::fopen(path.c_str(), "wx");
    return file != nullptr && std::fputs(bytes.c_str(), file) >= 0 && std::fclose(file) == 0;
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

// On a file system that ignores letter case, a case-only change moves the one entry
// through a free name of its own. A file that appears under the new name at any moment is
// never replaced, and the file being renamed keeps a name.
TEST(RenameRaceTest, ACaseOnlyRenameNeverReplacesAFileThatAppearsAtTheNewName) {
    for (SBehaviour behaviour : {SBehaviour{true, false}, SBehaviour{true, true}}) {
        for (int at = 1; at <= kMoments; ++at) {
            SCOPED_TRACE("flags refused: " + std::to_string(behaviour.bNoRenameFlags) +
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
            EXPECT_EQ(renamed, !placed);
            EXPECT_EQ(ReadFileBytes(to), placed ? "intruder" : "music");
            std::vector<std::string> expected{"music"};
            if (placed)
                expected.insert(expected.begin(), "intruder");
            EXPECT_EQ(Contents(dir.Path()), expected);
        }
    }
}

// Where the file system takes no rename flags, the file is linked under its new name and
// the old name unlinked. When the old name is given to another file meanwhile, that file
// is never unlinked: every file ends under exactly one name. The moment between the last
// look at the old name and its unlink cannot be closed without a no-replace rename, so
// it is the one moment left out.
TEST(RenameRaceTest, TheLinkFallbackNeverUnlinksAFileThatTookTheOldName) {
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
