#include <gtest/gtest.h>

#include "files/LocateRows.h"
#include "support/TempDir.h"

namespace {

// Enough rows to be probed in parallel parts, over a few real files, missing names and
// spellings that need resolving: every row must be located as a lone probe would.
TEST(LocateRowsTest, ManyRowsAreLocatedAsOneProbeEachWouldLocateThem) {
    CTempDir dir;
    std::vector<std::string> paths;
    for (const char* folder : {"a", "b", "c"})
        for (int i = 0; i < 10; ++i)
            dir.WriteFile(std::string(folder) + "/" + std::to_string(i), std::string(i, 'x'));
    for (int row = 0; row < 20000; ++row) {
        std::string folder = std::string(1, static_cast<char>('a' + row / 7000));
        std::string name = std::to_string(row % 13);  // 10 to 12 are missing
        paths.push_back(row % 97 == 0 ? dir / (folder + "/../" + folder + "/" + name)
                                      : dir / (folder + "/" + name));
    }

    std::vector<SPathFacts> facts;
    SRowFolders where = LocateRows(paths, &facts);
    ASSERT_EQ(where.folderOf.size(), paths.size());
    ASSERT_EQ(facts.size(), paths.size());
    EXPECT_EQ(where.folders, (std::vector<std::string>{dir / "a/", dir / "b/", dir / "c/"}));
    for (size_t row = 0; row < paths.size(); ++row) {
        SPathFacts alone;
        std::string folder = QueryEntryFolder(paths[row], alone);
        int index = where.folderOf[row];
        ASSERT_EQ(index < 0 ? "" : where.folders[static_cast<size_t>(index)], folder) << row;
        ASSERT_EQ(facts[row].bExists, alone.bExists) << row;
        ASSERT_EQ(facts[row].nSize, alone.nSize) << row;
    }
}

}  // namespace
