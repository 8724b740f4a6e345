#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "model/Archive.h"
#include "model/TesselDoc.h"
#include "support/RawList.h"
#include "support/SessionFixture.h"
#include "support/TempDir.h"

namespace {

std::string Golden(const std::string& name) {
    return ReadFileBytes(std::string(TESSEL_TEST_DATA) + "/" + name);
}

class TesselDocTest : public SessionTest {
protected:
    CTesselDoc doc{session};
};

TEST_F(TesselDocTest, OneRowListMatchesTheGoldenFileAndOpensInNormalMode) {
    auto addRow = [&](const std::string& folder) {
        CHitDoc& entry = AddRow("a.txt", folder);
        entry.m_strSize.Set("3");
        entry.m_dwSize = 3;
        entry.m_strModified.Set("1/2/1999 3:4");
        entry.m_timeModified = 915246240;
    };
    addRow("C:\\");
    std::string path = dir / "one.tsl";
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadFileBytes(path), Golden("one_row.tsl"));
    EXPECT_FALSE(session.IsModified());
    // Here a path must be absolute: the golden row's folder is no folder of this system.
    EXPECT_FALSE(doc.OnOpenDocument(path));

    EXPECT_EQ(session.List().GetCount(), 0);
    addRow("/music/");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    session.List().Empty();
    session.SetMp3Columns();
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_EQ(session.List().GetCount(), 1);
    EXPECT_EQ(Row(0),
              (std::vector<std::string>{"a", "a", ".txt", "3", "1/2/1999 3:4", "/music/a.txt"}));
    const CHitDoc& e = session.List().GetEntry(0);
    EXPECT_EQ(std::make_tuple(e.m_strName.Get(), e.m_timeModified, e.Year(), e.Genre()),
              std::make_tuple(std::string("a.txt"), int64_t{915246240}, -1, -1));
    EXPECT_FALSE(session.IsMp3Mode());  // a list with rows opens in normal mode
    EXPECT_FALSE(session.AllMp3());
    EXPECT_EQ(doc.GetPath(), path);
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(TesselDocTest, EmptyListSavesAsEighteenBytesAndOpensAgainAsAnEmptyList) {
    std::string path = dir / "empty.tsl";
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadFileBytes(path), Golden("empty_list.tsl"));

    AddRow("x.mp3");
    session.SetMp3Columns();
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(session.List().GetCount(), 0);
    EXPECT_TRUE(session.IsMp3Mode());  // a list without rows leaves the mode as it was
    EXPECT_EQ(doc.GetPath(), path);
    EXPECT_TRUE(prompts.m_messages.empty());
}

TEST_F(TesselDocTest, AFileThatIsNotAListIsRefusedWithItsReasonAndNeverTakenAsThePath) {
    AddRow("keep.txt");
    std::string folder = dir.MakeFolder("folder.tsl");
    std::pair<std::string, std::string> cases[] = {
        {dir.WriteFile("notes.txt", "\x0dHello, world!\x01\x00\x00\x00"), "Unrecognized file type"},
        {dir.WriteFile("empty.tsl", ""), "Unrecognized file type"},
        {folder, "Cannot open " + folder + ": Is a directory."},
        {dir / "absent.tsl", "Cannot open " + dir / "absent.tsl" + ": No such file or directory."}};
    for (const auto& [path, message] : cases) {
        prompts.m_messages.clear();
        EXPECT_FALSE(doc.OnOpenDocument(path));
        EXPECT_EQ(prompts.m_messages, std::vector<std::string>{message});
        ASSERT_EQ(session.List().GetCount(), 1);
        EXPECT_EQ(session.List().GetEntry(0).m_strName.Get(), "keep.txt");
        EXPECT_EQ(doc.GetPath(), "");
    }
}

// Hand-made files: strings of 254, 255 and 300 bytes in their one- and three-byte length
// forms, and every string in 16-bit characters (one of 300 characters), read to UTF-8.
TEST_F(TesselDocTest, GoldenListsOfLongAndSixteenBitStringsLoadEveryByte) {
    ASSERT_TRUE(doc.OnOpenDocument(std::string(TESSEL_TEST_DATA) + "/long_strings.tsl"));
    ASSERT_EQ(session.List().GetCount(), 2);
    const CHitDoc& first = session.List().GetEntry(0);
    std::string name = std::string(251, 'n') + ".mp3";
    EXPECT_EQ(first.m_strName.Get(), name);
    EXPECT_EQ(first.m_strNewName.Get(), std::string(254, 'm'));
    EXPECT_EQ(first.m_strPath.Get(), "/music/" + name);
    const CHitDoc& second = session.List().GetEntry(1);
    EXPECT_EQ(second.m_strNewName.Get(), std::string(300, 'x'));
    EXPECT_EQ(second.m_strPath.Get(), "/" + std::string(254, 'd') + "/a.txt");
    EXPECT_EQ(second.m_nSize, 5000000000ull);
    EXPECT_EQ(SerializeList(session), Golden("long_strings.tsl"));

    ASSERT_TRUE(doc.OnOpenDocument(std::string(TESSEL_TEST_DATA) + "/wide_strings.tsl"));
    ASSERT_EQ(session.List().GetCount(), 2);
    const CHitDoc& wide = session.List().GetEntry(0);
    EXPECT_EQ(
        std::make_tuple(wide.m_strName.Get(), wide.m_strNewName.Get(), wide.m_strExt.Get(),
                        wide.m_strPath.Get(), wide.m_strSize.Get(), wide.m_dwSize,
                        wide.m_strModified.Get(), wide.m_timeModified),
        std::make_tuple(std::string("Caf\u00e9 \u2615.mp3"), std::string("Caf\u00e9 \u2615"),
                        std::string(".mp3"), std::string("/music/Caf\u00e9 \u2615.mp3"),
                        std::string("3"), 3u, std::string("1/2/1999 3:4"), int64_t{915246240}));
    std::string umlauts;
    for (int i = 0; i < 300; ++i)
        umlauts += "\u00fc";
    EXPECT_EQ(session.List().GetEntry(1).m_strNewName.Get(), umlauts);
}

TEST_F(TesselDocTest, SavingThroughASymbolicLinkReplacesItsTargetAndKeepsTheLink) {
    AddRow("a.txt");
    std::string target = dir.WriteFile("real.tsl", "old");
    std::string link = dir / "link.tsl";
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    ASSERT_TRUE(doc.OnSaveDocument(link));
    struct stat st;
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ReadFileBytes(target), SerializeList(session));
    EXPECT_EQ(doc.GetPath(), link);
}

// The longest length form, and 16-bit strings: "Caf\u00e9" then a lone surrogate, read
// as UTF-8; a 16-bit string cut short fails.
TEST(ArchiveTest, LongAndSixteenBitStringsReadBack) {
    CArchiveWriter writer;
    writer.WriteString(std::string(70000, 'c'));
    EXPECT_EQ(writer.Bytes().substr(0, 7), std::string("\xff\xff\xff\x70\x11\x01\x00", 7));
    std::string text;
    CArchiveReader reader(writer.Bytes());
    ASSERT_TRUE(reader.ReadString(text));
    EXPECT_EQ(text, std::string(70000, 'c'));
    EXPECT_EQ(reader.Remaining(), 0u);

    const std::string wideBytes("\xff\xfe\xff\x05\x43\0a\0f\0\xe9\0\x00\xd8", 14);
    CArchiveReader wide(wideBytes);
    ASSERT_TRUE(wide.ReadString(text));
    EXPECT_EQ(text, "Caf\xc3\xa9\xef\xbf\xbd");
    const std::string cutBytes("\xff\xfe\xff\x02\x41\0B", 7);
    CArchiveReader cut(cutBytes);
    EXPECT_FALSE(cut.ReadString(text));
}

TEST(ArchiveTest, LengthsPastTheEndFailWithoutReadingOrAllocating) {
    for (std::string bytes : {std::string("\x05\x61\x62\x63"), std::string("\xff\x10\x00", 3),
                              std::string("\xff\xff\xff\xff\xff\xff\x7f", 7),
                              std::string("\xff\xfe\xff\xff\xff\xff\xff\xff\x7f", 9)}) {
        CArchiveReader reader(bytes);
        std::string text;
        EXPECT_FALSE(reader.ReadString(text));
    }
}

TEST_F(TesselDocTest, BytesThatDoNotEndRightAfterTheLastRowMakeTheListDamaged) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        AddRow(name);
    const std::string whole = SerializeList(session);
    std::string fewer = whole;
    fewer[14] = 1;
    struct SCase {
        std::string bytes;
        int rowsKept;
    } cases[] = {{fewer, 1},
                 {whole + '\0', 3},
                 {whole.substr(0, whole.size() - 1), 2},
                 {whole.substr(0, 14) + std::string("\xff\xff\xff\xff", 4), 0}};
    for (const SCase& c : cases) {
        std::string path = dir.WriteFile("damaged.tsl", c.bytes);
        prompts.m_messages.clear();
        EXPECT_FALSE(doc.OnOpenDocument(path));
        EXPECT_EQ(session.List().GetCount(), c.rowsKept);
        ASSERT_EQ(prompts.m_messages.size(), 1u);
        EXPECT_EQ(prompts.m_messages[0].rfind("Cannot read " + path + ": the list is damaged", 0),
                  0u)
            << prompts.m_messages[0];
        EXPECT_EQ(doc.GetPath(), "");  // a Save must not write the partial list over the file
        EXPECT_EQ(ReadFileBytes(path), c.bytes);
    }
}

// A row's path must be the one absolute spelling of a file named as the row is: any other
// path could send its rename into another folder.
TEST_F(TesselDocTest, ARowWhosePathIsNotItsNameInAnAbsoluteFolderMakesTheListDamaged) {
    struct SCase {
        std::string name, path;
        bool sound;
    } cases[] = {{"a.txt", "/x/a.txt", true},
                 {"a.txt", "/a.txt", true},
                 {"caf\xc3\xa9 \xff.mp3", "/m/caf\xc3\xa9 \xff.mp3", true},
                 {"../music/sub/file.txt", "/x/target/../music/sub/file.txt", false},
                 {"file.txt", "/x/target/../file.txt", false},
                 {"file.txt", "/x/./file.txt", false},
                 {"file.txt", "/x//file.txt", false},
                 {"file.txt", "x/file.txt", false},
                 {"a.txt", "C:\\a.txt", false},
                 {"a.txt", "/x/ba.txt", false},
                 {"name-longer-than-its-path", "/p", false},
                 {"sub/a.txt", "/x/sub/a.txt", false},
                 {"", "/x/", false},
                 {"..", "/x/..", false},
                 {std::string("a\0b", 3), std::string("/x/a\0b", 6), false}};
    for (const SCase& c : cases) {
        std::string path =
            dir.WriteFile("rows.tsl", RawList({{"first.txt", "/x/first.txt"}, {c.name, c.path}}));
        prompts.m_messages.clear();
        EXPECT_EQ(doc.OnOpenDocument(path), c.sound) << c.path;
        EXPECT_EQ(session.List().GetCount(), c.sound ? 2 : 1) << c.path;
        if (!c.sound) {
            ASSERT_EQ(prompts.m_messages.size(), 1u);
            EXPECT_THAT(prompts.m_messages[0], ::testing::HasSubstr("row 2")) << c.path;
        }
    }
}

}  // namespace
