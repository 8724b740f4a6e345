// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "model/Archive.h"
#include "model/TesselDoc.h"
#include "support/OtherUser.h"
#include "support/RawList.h"
#include "support/SessionFixture.h"
#include "support/TempDir.h"

namespace {

std::string Golden(const std::string& name) {
    return ReadFileBytes(std::string(TESSEL_TEST_DATA) + "/" + name);
}

class TesselDocTest : public SessionTest {
protected:
    CHitDoc& AddSized(const std::string& folder) {
        CHitDoc& entry = AddRow("a.txt", folder);
        entry.m_strSize.Set("3");
        entry.m_nSize = 3;
        entry.m_strModified.Set("1/2/1999 3:4");
        entry.m_timeModified = 915246240;
        return entry;
    }
    // Opens the bytes as a list file that is refused with one message starting so.
    void ExpectRefused(const std::string& path, const std::string& message) {
        prompts.m_messages.clear();
        EXPECT_FALSE(doc.OnOpenDocument(path));
        ASSERT_EQ(prompts.m_messages.size(), 1u);
        EXPECT_THAT(prompts.m_messages[0], ::testing::StartsWith(message));
        EXPECT_EQ(doc.GetPath(), "");  // a Save must not write the partial list over the file
    }

    static struct stat Lstat(const std::string& path) {
        struct stat st {};
        lstat(path.c_str(), &st);
        return st;
    }

    CTesselDoc doc{session};
};

TEST_F(TesselDocTest, GoldenListsSaveByteForByteAndOpenInTheirMode) {
    std::string path = dir / "one.tsl";
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadFileBytes(path), Golden("empty_list.tsl"));
    AddRow("x.mp3");
    session.SetMp3Columns();
    ASSERT_TRUE(doc.OnOpenDocument(path));
    // A list without rows leaves the mode as it was.
    EXPECT_TRUE(session.List().GetCount() == 0 && session.IsMp3Mode());
    session.SetNormalColumns();

    AddSized("C:\\");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadFileBytes(path), Golden("one_row.tsl"));
    EXPECT_FALSE(session.IsModified());
    // Here a path must be absolute: the golden row's folder is no folder of this system.
    ExpectRefused(path, "Cannot read " + path + ": the list is damaged");
    EXPECT_EQ(session.List().GetCount(), 0);

    AddSized("/music/");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    session.List().Empty();
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_EQ(session.List().GetCount(), 1);
    EXPECT_EQ(Row(0),
              (std::vector<std::string>{"a", "a", ".txt", "3", "1/2/1999 3:4", "/music/a.txt"}));
    const CHitDoc& e = session.List().GetEntry(0);
    EXPECT_EQ(std::make_tuple(e.m_timeModified, e.Year(), e.Genre()),
              std::make_tuple(int64_t{915246240}, -1, -1));
    EXPECT_FALSE(session.IsMp3Mode());  // a list with rows opens in normal mode
    EXPECT_EQ(doc.GetPath(), path);
    EXPECT_FALSE(session.CanUndo());
}

// Hand-made files: strings of 254, 255 and 300 bytes in their one- and three-byte length
// forms, and every string in 16-bit characters (one of 300 characters), read to UTF-8.
TEST_F(TesselDocTest, GoldenListsOfLongAndSixteenBitStringsLoadEveryByte) {
    ASSERT_TRUE(doc.OnOpenDocument(std::string(TESSEL_TEST_DATA) + "/long_strings.tsl"));
    ASSERT_EQ(session.List().GetCount(), 2);
    std::string name = std::string(251, 'n') + ".mp3";
    EXPECT_EQ(Row(0)[0] + Row(0)[5], std::string(254, 'm') + "/music/" + name);
    EXPECT_EQ(session.List().GetEntry(0).m_strName.Get(), name);
    const CHitDoc& second = session.List().GetEntry(1);
    EXPECT_EQ(second.m_strNewName.Get(), std::string(300, 'x'));
    EXPECT_EQ(second.m_strPath.Get(), "/" + std::string(254, 'd') + "/a.txt");
    EXPECT_EQ(second.m_nSize, 5000000000ull);
    EXPECT_EQ(SerializeList(session), Golden("long_strings.tsl"));

    ASSERT_TRUE(doc.OnOpenDocument(std::string(TESSEL_TEST_DATA) + "/wide_strings.tsl"));
    ASSERT_EQ(session.List().GetCount(), 2);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"Caf\u00e9 \u2615", "Caf\u00e9 \u2615", ".mp3", "3",
                                                "1/2/1999 3:4", "/music/Caf\u00e9 \u2615.mp3"}));
    EXPECT_EQ(session.List().GetEntry(0).m_timeModified, 915246240);
    std::string umlauts;
    for (int i = 0; i < 300; ++i)
        umlauts += "\u00fc";
    EXPECT_EQ(session.List().GetEntry(1).m_strNewName.Get(), umlauts);
}

// The longest length form; 16-bit strings with a lone surrogate, and one cut short.
TEST(ArchiveTest, LongSixteenBitAndOverlongStrings) {
    CArchiveWriter writer;
    writer.WriteString(std::string(70000, 'c'));
    EXPECT_EQ(writer.Bytes().substr(0, 7), std::string("\xff\xff\xff\x70\x11\x01\x00", 7));
    std::string text;
    CArchiveReader reader(writer.Bytes());
    ASSERT_TRUE(reader.ReadString(text));
    EXPECT_EQ(std::tuple(text, reader.Remaining()), std::tuple(std::string(70000, 'c'), 0u));

    const std::string wideBytes("\xff\xfe\xff\x05\x43\0a\0f\0\xe9\0\x00\xd8", 14);
    CArchiveReader wide(wideBytes);
    ASSERT_TRUE(wide.ReadString(text));
    EXPECT_EQ(text, "Caf\xc3\xa9\xef\xbf\xbd");
    const std::string cutBytes("\xff\xfe\xff\x02\x41\0B", 7);
    CArchiveReader cut(cutBytes);
    EXPECT_FALSE(cut.ReadString(text));
}

// Bytes that do not end right after the last row make the list damaged; a file that is no
// list at all, or none, is refused before any row goes.
TEST_F(TesselDocTest, ADamagedListOrAFileThatIsNoListIsRefused) {
    AddRows({"a.txt", "b.txt", "c.txt"});
    const std::string whole = SerializeList(session);
    std::string fewer = whole;
    fewer[14] = 1;
    ExpectRefused(dir / "absent", "Cannot open " + dir / "absent" + ": No such file or directory.");
    std::tuple<std::string, int, std::string> cases[] = {
        {"\x0dHello, world!\x01\x00\x00\x00", 3, "Unrecognized file type"},
        {fewer, 1, ""},
        {whole + '\0', 3, ""},
        {whole.substr(0, whole.size() - 1), 2, ""},
        {whole.substr(0, 14), 0, ""},
        {whole.substr(0, 16), 0, ""},
        {whole.substr(0, 14) + std::string(4, '\xff'), 0, ""}};
    for (const auto& [bytes, rowsKept, message] : cases) {
        std::string path = dir.WriteFile("damaged.tsl", bytes);
        ExpectRefused(path,
                      message.empty() ? "Cannot read " + path + ": the list is damaged" : message);
        EXPECT_EQ(session.List().GetCount(), rowsKept);
        EXPECT_EQ(ReadFileBytes(path), bytes);
    }
}

// A row's path must be the one absolute spelling of a file named as the row is: any other
// path could send its rename into another folder.
TEST_F(TesselDocTest, ARowWhosePathIsNotItsNameInAnAbsoluteFolderMakesTheListDamaged) {
    std::tuple<std::string, std::string, bool> cases[] = {
        // name, path, whether sound
        {"a.txt", "/a.txt", true},
        {"caf\xc3\xa9 \xff.mp3", "/m/caf\xc3\xa9 \xff.mp3", true},
        {"file.txt", "/x/./file.txt", false},
        {"a.txt", "/x/ba.txt", false},
        {"b/a.txt", "/x/b/a.txt", false},
        {"", "/x/", false},
        {std::string("a\0b", 3), std::string("/x/a\0b", 6), false}};
    for (const auto& [name, rowPath, sound] : cases) {
        SCOPED_TRACE(rowPath);
        std::string path =
            dir.WriteFile("rows.tsl", RawList({{"first.txt", "/x/first.txt"}, {name, rowPath}}));
        if (sound)
            EXPECT_TRUE(doc.OnOpenDocument(path));
        else
            ExpectRefused(path, "Cannot read " + path + ": the list is damaged (row 2");
        EXPECT_EQ(session.List().GetCount(), sound ? 2 : 1);
    }
}

// As root, a list keeps its owner and its group, whichever of them is root's.
TEST_F(TesselDocTest, AReplacedListKeepsItsOwnerAndMode) {
    constexpr unsigned kNobody = COtherUser::kNobody;
    for (auto [owner, group] : {std::pair{kNobody, kNobody}, {kNobody, 0u}, {0u, kNobody}}) {
        std::string path = dir.WriteFile("list.tsl", "old");
        ASSERT_EQ(chmod(path.c_str(), 0640), 0);
        if (geteuid() == 0) {
            ASSERT_EQ(chown(path.c_str(), owner, group), 0);
        }
        struct stat before = Lstat(path);
        ASSERT_TRUE(doc.OnSaveDocument(path));
        EXPECT_EQ(ReadFileBytes(path), SerializeList(session));
        struct stat after = Lstat(path);
        EXPECT_EQ(std::tie(after.st_mode, after.st_uid, after.st_gid),
                  std::tie(before.st_mode, before.st_uid, before.st_gid));
        EXPECT_THAT(FolderNames(dir.Path()), ::testing::ElementsAre("list.tsl"));
    }
    // Through a symbolic link, the target is replaced and the link kept.
    std::string link = dir / "link.tsl";
    ASSERT_EQ(symlink((dir / "list.tsl").c_str(), link.c_str()), 0);
    AddRow("a.txt");
    ASSERT_TRUE(doc.OnSaveDocument(link));
    EXPECT_TRUE(S_ISLNK(Lstat(link).st_mode));
    EXPECT_EQ(ReadFileBytes(dir / "list.tsl"), SerializeList(session));
    EXPECT_EQ(doc.GetPath(), link);
}

// Whatever stands at the list's name and may not simply be replaced by a new file is
// refused with a message naming the list, and stays as it was.
TEST_F(TesselDocTest, WhatIsNoWritableRegularFileIsNeverReplaced) {
    std::string readOnly = dir.WriteFile("read-only.tsl", "old");
    ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
    std::string fifo = dir / "fifo.tsl";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    std::string dangling = dir / "dangling.tsl";
    ASSERT_EQ(symlink((dir / "nowhere/list.tsl").c_str(), dangling.c_str()), 0);
    std::vector<std::string> names = FolderNames(dir.Path());
    for (const std::string& path : {readOnly, fifo, dangling}) {
        SCOPED_TRACE(path);
        struct stat before = Lstat(path);
        prompts.m_messages.clear();
        EXPECT_FALSE(doc.OnSaveDocument(path));
        ASSERT_EQ(prompts.m_messages.size(), 1u);
        EXPECT_THAT(prompts.m_messages[0], ::testing::StartsWith("Cannot save " + path + ": "));
        struct stat after = Lstat(path);
        EXPECT_EQ(std::tie(after.st_ino, after.st_mode), std::tie(before.st_ino, before.st_mode));
        EXPECT_EQ(FolderNames(dir.Path()), names);
    }
}

// A save killed halfway (here by the file size signal at its default) leaves the list as
// it was and nothing behind for anyone to clean up.
TEST_F(TesselDocTest, AKilledSaveLeavesTheListAsItWasAndNoOtherFile) {
    std::string path = dir.WriteFile("list.tsl", "old");
    for (int row = 0; row < 100; ++row)
        AddRow(std::string(200, 'x') + std::to_string(row));
    pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_DFL);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        doc.OnSaveDocument(path);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(std::tuple(WTERMSIG(status), ReadFileBytes(path)), std::tuple(SIGXFSZ, "old"));
    EXPECT_THAT(FolderNames(dir.Path()), ::testing::ElementsAre("list.tsl"));
}

}  // namespace

namespace {

// A front end words these messages in its own language: the path and the system's reason
// come beside the English text, each exactly as the text names it.
TEST_F(TesselDocTest, OpenAndSaveFailuresSendThePathAndTheReasonBesideTheText) {
    CTempDir dir;
    std::string missing = dir / "no such.tsl";
    EXPECT_FALSE(doc.OnOpenDocument(missing));
    std::string notFound = std::strerror(ENOENT);
    ASSERT_EQ(prompts.m_messageParts.size(), 1u);
    EXPECT_EQ(prompts.m_messageParts[0], (std::vector<std::string>{missing, notFound}));
    EXPECT_EQ(prompts.m_messages[0], "Cannot open " + missing + ": " + notFound + ".");

    std::string damaged = dir.WriteFile("cut.tsl", std::string(kTslHeader).substr(0, 3));
    EXPECT_FALSE(doc.OnOpenDocument(damaged));
    // A header that is not the list's is a fixed message with nothing beside it.
    ASSERT_EQ(prompts.m_messageParts.size(), 2u);
    EXPECT_TRUE(prompts.m_messageParts[1].empty());

    std::string unwritable = dir / "no folder/list.tsl";
    EXPECT_FALSE(doc.OnSaveDocument(unwritable));
    ASSERT_EQ(prompts.m_messageParts.size(), 3u);
    ASSERT_EQ(prompts.m_messageParts[2].size(), 2u);
    EXPECT_EQ(prompts.m_messageParts[2][0], unwritable);
    EXPECT_EQ(prompts.m_messages[2],
              "Cannot save " + unwritable + ": " + prompts.m_messageParts[2][1] + ".");
}

}  // namespace
