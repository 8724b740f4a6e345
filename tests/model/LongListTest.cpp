// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "model/TesselDoc.h"
#include "platform/RegularFile.h"
#include "support/SessionFixture.h"
#include "support/TempDir.h"

namespace {

class LongListTest : public SessionTest {};

// A list is read through a window much smaller than a long list: rows, long strings
// (with their three-byte lengths) and the count must come through whole wherever a
// window ends, and the file must be written back byte for byte.
TEST_F(LongListTest, ALongListReadInPiecesComesBackWhole) {
    constexpr int kRows = 2500;  // about 1.3 MB: several windows
    for (int row = 0; row < kRows; ++row) {
        std::string name = std::string(static_cast<size_t>(row % 400), 'a' + row % 26) +
                           std::to_string(row) + ".mp3";
        AddRow(name, "/music/" + std::string(static_cast<size_t>(row % 7) * 40 + 1, 'f') + "/");
    }
    CTesselDoc doc{session};
    std::string path = dir / "long.tsl";
    ASSERT_TRUE(doc.OnSaveDocument(path));
    std::string saved = ReadFileBytes(path);
    ASSERT_GT(saved.size(), 1000000u);

    CFakePrompts otherPrompts;
    CMemoryProfile otherProfile;
    CTesselSession other{otherPrompts, otherProfile};
    CTesselDoc reopened{other};
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    ASSERT_EQ(other.List().GetCount(), kRows);
    for (int row : {0, 1, 255, 1000, kRows - 1})
        EXPECT_EQ(other.List().GetEntry(row).m_strPath, session.List().GetEntry(row).m_strPath);
    EXPECT_EQ(SerializeList(other), saved);

    // A file cut anywhere, even inside the last row, is damaged and says so.
    std::string cut = dir.WriteFile("cut.tsl", saved.substr(0, saved.size() - 3));
    CTesselDoc damaged{other};
    EXPECT_FALSE(damaged.OnOpenDocument(cut));
    EXPECT_EQ(other.List().GetCount(), kRows - 1);
}

// Whether the file at path holds bytes, handed to a match in pieces of pieceSize bytes.
bool MatchesInPieces(const std::string& path, std::string_view bytes, size_t pieceSize) {
    CFileMatch match(path);
    for (size_t at = 0; at < bytes.size(); at += pieceSize)
        if (!match.Next(bytes.substr(at, pieceSize)))
            return false;
    return match.Whole();
}

TEST(RegularFileTest, AFileMatchesOnlyTheSameBytesInAnyPieces) {
    CTempDir dir;
    std::string bytes(300000, 'x');
    std::string path = dir.WriteFile("f", bytes);
    for (size_t pieceSize : {size_t{300000}, size_t{1000}, size_t{7}}) {
        EXPECT_TRUE(MatchesInPieces(path, bytes, pieceSize)) << pieceSize;
        for (const std::string& other :
             {bytes.substr(0, 299999) + 'z', bytes.substr(1), bytes + "!"})
            EXPECT_FALSE(MatchesInPieces(path, other, pieceSize)) << pieceSize;
    }
    EXPECT_TRUE(MatchesInPieces(dir.WriteFile("empty", ""), "", 1));
    EXPECT_FALSE(MatchesInPieces(dir / "missing", "", 1) || MatchesInPieces(dir.Path(), "", 1));
    // A file that holds less than its size says, as sysfs files do (or a list cut while it
    // is compared), ends the comparison unequal.
    std::string sysfs = "/sys/devices/system/cpu/online", held = ReadFileBytes(sysfs);
    if (!held.empty()) {
        EXPECT_FALSE(MatchesInPieces(sysfs, held.append(4096 - held.size(), '\n'), 4096));
    }
}

}  // namespace
