// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliFixture.h"

namespace {

using FileSafetyTest = CliTest;

// Under a file size limit a write past it fails instead of ending the process (the
// signal stays at its default, as a shell gives it): the run's record of its first rename
// (a path long enough to pass the limit) cannot be written, so no file is renamed.
TEST_F(FileSafetyTest, AJournalPastTheFileSizeLimitFailsTheRunBeforeAnyRename) {
    std::string folder;
    for (int depth = 0; depth < 8; ++depth)
        folder += std::string(200, static_cast<char>('a' + depth)) + "/";
    std::string deep = dir.WriteFile(folder + "a.txt", "a");
    WriteList({deep}, {std::string(200, 'z')});
    std::string before = ReadFileBytes(List());
    m_nFileSizeLimit = 2048;
    Expect(1, {"go", List(), "--yes"}, "tessel-cli: ");
    EXPECT_EQ(std::tuple(ReadFileBytes(deep), ReadFileBytes(List())), std::tuple("a", before));
    EXPECT_THAT(FolderNames(dir.Path()), ElementsAre(std::string(200, 'a'), "list.tsl"));
}

}  // namespace
