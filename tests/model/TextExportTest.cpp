#include <gtest/gtest.h>
#include <unistd.h>

#include "model/TextExport.h"
#include "support/SessionFixture.h"
#include "support/TempDir.h"

namespace {

using TextExportTest = SessionTest;

// Each new file name on its own line in row order, in either mode, bytes as they are; an
// empty list truncates the file. Failures to create or write say so and change nothing.
TEST_F(TextExportTest, WritesEachNewFileNameOnItsOwnLineInRowOrder) {
    std::string path = dir.WriteFile("names.txt", std::string(100, 'x') + "\n");
    ASSERT_TRUE(SaveToTextFile(session, path));
    EXPECT_EQ(ReadFileBytes(path), "");
    AddRow("draft.doc").m_strExt.Set(".txt");
    AddRow("bad\xff name.bin", "/other/folder/");
    session.SetMp3Columns();
    ASSERT_TRUE(SaveToTextFile(session, path));
    EXPECT_EQ(ReadFileBytes(path), "draft.txt\nbad\xff name.bin\n");
    EXPECT_TRUE(prompts.m_messages.empty());

    std::vector<std::string> targets{dir / "missing/names.txt", dir.MakeFolder("folder")};
    if (access("/dev/full", W_OK) == 0)
        targets.push_back("/dev/full");  // opens, then fails when the bytes are flushed
    for (const std::string& failing : targets) {
        prompts.m_messages.clear();
        EXPECT_FALSE(SaveToTextFile(session, failing)) << failing;
        EXPECT_EQ(prompts.m_messages, std::vector<std::string>{"Cannot write file: Access denied"});
    }
    EXPECT_FALSE(session.IsModified());
}

}  // namespace
