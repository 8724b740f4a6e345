// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliFixture.h"

using namespace std::string_literals;

namespace {

// Names holding each byte that would break a line or a field come out escaped, one row
// per line, or as they are with -z, each field ended by a NUL. After "--", and for a
// command without -z, "-z" is a name like any other.
TEST_F(CliTest, NamesThatWouldBreakALineOrAFieldAreEscapedOrEndedWithANul) {
    std::vector<std::string> paths, escaped{"tab\\there", "new\\nline", "back\\\\slash"};
    for (const char* name : {"tab\there.mp3", "new\nline.mp3", "back\\slash.mp3"})
        paths.push_back(dir.WriteFile("f/"s + name));
    WriteList(paths);
    EXPECT_EQ(Column(Expect(0, {"show", List()}).strOut, 0), escaped);
    std::vector<std::string> go = {"go", List(), "--dry-run", "--ext", ".txt"};
    EXPECT_EQ(Expect(0, go).strOut,
              "tab\\there.mp3\ttab\\there.txt\tOK\nnew\\nline.mp3\tnew\\nline.txt\tOK\n"
              "back\\\\slash.mp3\tback\\\\slash.txt\tOK\n");
    go.push_back("-z");
    EXPECT_EQ(Expect(0, go).strOut,
              "tab\there.mp3\0tab\there.txt\0OK\0new\nline.mp3\0new\nline.txt\0OK\0"
              "back\\slash.mp3\0back\\slash.txt\0OK\0"s);
    std::string tags = Expect(0, {"tags", "-z", paths[0], paths[1], paths[2]}).strOut;
    std::string emptyFields(8, '\0');
    EXPECT_EQ(tags, paths[0] + emptyFields + paths[1] + emptyFields + paths[2] + emptyFields);

    std::string text = dir / "names.txt";
    Expect(0, {"export", List(), text});
    EXPECT_EQ(ReadFileBytes(text), "tab\\there.mp3\nnew\\nline.mp3\nback\\\\slash.mp3\n");
    Expect(0, {"export", List(), text, "-z"});
    EXPECT_EQ(ReadFileBytes(text), "tab\there.mp3\0new\nline.mp3\0back\\slash.mp3\0"s);
    SCliRun named = Expect(1, {"tags", "--", "-z"});
    EXPECT_EQ(named.strErr, "tessel-cli: -z: No such file or directory\n");
}

}  // namespace
