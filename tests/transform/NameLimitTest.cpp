#include <gtest/gtest.h>

#include <functional>

#include "model/CellEdit.h"
#include "support/SessionFixture.h"
#include "transform/FindReplace.h"
#include "transform/Numbering.h"
#include "transform/TextFieldOperations.h"

namespace {

class NameLimitTest : public SessionTest {
protected:
    void SetUp() override {
        AddRow("short.txt");
        AddRow("aaaa.txt");
    }

    // A command that grows a name past the limit changes no row, records no undo step,
    // leaves the list unmodified and says why.
    void ExpectRefused(const std::function<void()>& command) {
        std::vector<std::string> before = NewNames();
        command();
        EXPECT_EQ(NewNames(), before);
        EXPECT_FALSE(session.CanUndo());
        EXPECT_FALSE(session.IsModified());
        EXPECT_EQ(prompts.m_messages, std::vector<std::string>{kNameTooLongMessage});
    }
};

TEST_F(NameLimitTest, EveryKindOfEditThatGrowsANamePastTheLimitIsRefused) {
    const std::string longText(kMaxNameBytes + 1, 'x');
    SNumberingSettings numbering;
    numbering.strName = std::string(kMaxNameBytes - 1, 'n');
    struct SCase {
        const char* name;
        std::function<void()> command;
    } cases[] = {
        {"replace all", [&] { ReplaceAll(session, "a", std::string(1100, 'b'), false); }},
        {"cell edit", [&] { CommitCellEdit(session, 0, 0, longText); }},
        {"numbering", [&] { ApplyNumbering(session, numbering); }},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.m_messages.clear();
        ExpectRefused(c.command);
    }
}

// The limit itself may be reached, and a row that was already longer (from a list made
// elsewhere) may still change as long as it does not grow.
TEST_F(NameLimitTest, ANameMayReachTheLimitAndALongerOneMayChangeWithoutGrowing) {
    ReplaceAll(session, "a", std::string(kMaxNameBytes / 4, 'b'), false);
    EXPECT_EQ(NewNames()[1], std::string(kMaxNameBytes, 'b'));
    EXPECT_TRUE(prompts.m_messages.empty());
    session.List().GetEntry(0).m_strNewName.Set(std::string(kMaxNameBytes + 10, 'c'));
    ReplaceAll(session, "c", "d", true);
    EXPECT_EQ(NewNames()[0], std::string(kMaxNameBytes + 10, 'd'));
    EXPECT_TRUE(prompts.m_messages.empty());
}

// A replace of every byte by a long text is not built whole before it is refused.
TEST(TextFieldLimitTest, AReplaceThatWouldGrowPastTheLimitStopsJustPastIt) {
    CTextField field(std::string(kMaxNameBytes, 'a'));
    EXPECT_TRUE(Replace(field, "a", std::string(100000, 'b'), true));
    EXPECT_EQ(field.GetLength(), kMaxNameBytes + 1);
}

}  // namespace
