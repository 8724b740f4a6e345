#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>

#include "GoSupport.h"

namespace {

using GoFailureReasonTest = GoTest;

std::vector<int> SystemErrors(const SShownResults& results) {
    std::vector<int> errors;
    for (const SShownResult& row : results.rows)
        errors.push_back(row.nSystemError);
    return errors;
}

// A failed rename keeps the fixed text and, beside it, the system's reason; rows that
// were renamed, and rows never tried after the user stopped, carry none.
TEST_F(GoFailureReasonTest, AFailedRenameKeepsTheSystemsReasonWithItsResult) {
    AddFiles({"a.txt", "b.txt", "c.txt", "d.txt"});
    Rename({"w", "x", "y", "z"});
    prompts.m_onPreview = [this] {
        std::remove((dir / "b.txt").c_str());
        dir.WriteFile("y.txt", "intruder");
    };
    prompts.m_messageAnswers.push_back(EAnswer::Yes);
    ASSERT_EQ(Go(session), EGoOutcome::Ran);

    EXPECT_EQ(ResultCodes(), (std::vector<int>{0, 5, 5, 5}));
    EXPECT_EQ(SystemErrors(prompts.m_results.back()), (std::vector<int>{0, ENOENT, EEXIST, 0}));
    EXPECT_EQ(SystemErrors(prompts.m_results.front()), (std::vector<int>{0, 0, 0, 0}));
}

}  // namespace
