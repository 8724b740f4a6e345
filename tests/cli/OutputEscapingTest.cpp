#include "cli/CliFixture.h"

namespace {

// Files whose names hold each byte that would break a line or a field.
class OutputEscapingTest : public CliTest {
protected:
    void SetUp() override {
        for (const char* name : {"tab\there.mp3", "new\nline.mp3", "back\\slash.mp3"})
            paths.push_back(dir.WriteFile(std::string("f/") + name));
        WriteList(paths);
    }
    // Every columns'th field of a -z output, from column on; each field ends with a NUL.
    static std::vector<std::string> NulColumn(const std::string& text, size_t column,
                                              size_t columns) {
        std::vector<std::string> cells;
        size_t start = 0, field = 0;
        for (size_t end; (end = text.find('\0', start)) != std::string::npos; start = end + 1)
            if (field++ % columns == column)
                cells.push_back(text.substr(start, end - start));
        EXPECT_EQ(start, text.size()) << "the last field is not ended";
        EXPECT_EQ(field % columns, 0u);
        return cells;
    }

    std::vector<std::string> paths;
};

TEST_F(OutputEscapingTest, ShowGoAndTagsKeepOneRowPerLineAndGiveNamesBackWithZ) {
    const std::vector<std::string> escapedNames{"tab\\there", "new\\nline", "back\\\\slash"};
    const std::vector<std::string> rawNames{"tab\there", "new\nline", "back\\slash"};
    struct SCase {
        std::vector<std::string> args;
        size_t column;   // where the name is
        size_t columns;  // fields per row
        std::string suffix;
    } cases[] = {{{"show", List()}, 0, 6, ""},
                 {{"go", List(), "--dry-run", "--ext", ".txt"}, 1, 3, ".txt"},
                 {{"tags", paths[0], paths[1], paths[2]}, 0, 7, ".mp3"}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.args[0]);
        std::string folder = c.args[0] == "tags" ? dir / "f/" : "";
        std::vector<std::string> escaped, raw;
        for (size_t i = 0; i < rawNames.size(); ++i) {
            escaped.push_back(folder + escapedNames[i] + c.suffix);
            raw.push_back(folder + rawNames[i] + c.suffix);
        }
        // The preview of go may judge a name unfit; it is printed all the same.
        SCliRun lines = Run(c.args);
        EXPECT_NE(lines.nStatus, 1) << lines.strErr;
        EXPECT_EQ(Lines(lines.strOut).size(), 3u);
        EXPECT_EQ(Column(lines.strOut, c.column), escaped);
        std::vector<std::string> zeroArgs = c.args;
        zeroArgs.push_back("-z");
        SCliRun zero = Run(zeroArgs);
        EXPECT_EQ(zero.nStatus, lines.nStatus) << zero.strErr;
        EXPECT_EQ(NulColumn(zero.strOut, c.column, c.columns), raw);
    }
}

// After "--", and for a command without -z, "-z" is a name like any other.
TEST_F(OutputEscapingTest, ExportEscapesEachNameOrEndsItWithANul) {
    std::string text = dir / "names.txt";
    Expect(0, {"export", List(), text});
    EXPECT_EQ(ReadFileBytes(text), "tab\\there.mp3\nnew\\nline.mp3\nback\\\\slash.mp3\n");
    Expect(0, {"export", List(), text, "-z"});
    EXPECT_EQ(ReadFileBytes(text),
              std::string("tab\there.mp3\0new\nline.mp3\0back\\slash.mp3\0", 41));
    SCliRun named = Expect(1, {"tags", "--", "-z"});
    EXPECT_EQ(named.strErr, "tessel-cli: -z: No such file or directory\n");
}

}  // namespace
