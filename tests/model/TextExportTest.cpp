#include <gtest/gtest.h>
#include <unistd.h>

#include "model/TextExport.h"
#include "support/SessionFixture.h"
#include "support/TempDir.h"

namespace {

using TextExportTest = SessionTest;

TEST_F(TextExportTest, WritesEachNewFileNameOnItsOwnLineInRowOrder) {
    std::string path = dir.WriteFile("names.txt", std::string(100, 'x') + "\n");
    ASSERT_TRUE(SaveToTextFile(session, path));  // an empty list truncates the file
    EXPECT_EQ(ReadFileBytes(path), "");
    AddRow("draft.doc").m_strNewName.Set("report");
    session.List().GetEntry(0).m_strExt.Set(".txt");
    AddRow("README");
    AddRow("bad\xff name.bin", "/other/folder/");
    ASSERT_TRUE(SaveToTextFile(session, path));
    EXPECT_EQ(ReadFileBytes(path), "report.txt\nREADME\nbad\xff name.bin\n");

    session.SetMp3Columns();
    session.List().GetEntry(1).m_strNewName.Set("READ ME");
    ASSERT_TRUE(SaveToTextFile(session, path));
    EXPECT_EQ(ReadFileBytes(path), "report.txt\nREAD ME\nbad\xff name.bin\n");
    EXPECT_TRUE(prompts.m_messages.empty());
    EXPECT_FALSE(session.IsModified());
}

TEST_F(TextExportTest, FailuresToCreateOrWriteAreReportedAndChangeNothing) {
    AddRow("a.txt");
    std::vector<std::string> targets{dir / "missing/names.txt", dir.MakeFolder("folder")};
    if (access("/dev/full", W_OK) == 0)
        targets.push_back("/dev/full");  // opens, then fails when the bytes are flushed
    for (const std::string& path : targets) {
        prompts.m_messages.clear();
        EXPECT_FALSE(SaveToTextFile(session, path)) << path;
        EXPECT_EQ(prompts.m_messages, std::vector<std::string>{"Cannot write file: Access denied"});
    }
    EXPECT_EQ(NewNames(), std::vector<std::string>{"a"});
}

}  // namespace
