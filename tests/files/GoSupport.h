// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <cstdlib>

#include "files/FileAdder.h"
#include "files/GoCommand.h"
#include "files/RunCommands.h"
#include "model/RunObserver.h"
#include "support/SessionFixture.h"
#include "support/TempDir.h"

// A session over files in a temporary folder; each row's file holds its own name. The
// runs keep their journals in a state folder of the test's own.
class GoTest : public SessionTest {
protected:
    GoTest() {
        setenv("XDG_STATE_HOME", state.Path().c_str(), 1);
        prompts.m_extensionChoices.push_back(SExtensionChoice{});
    }
    ~GoTest() override { unsetenv("XDG_STATE_HOME"); }

    // The journal folder of the runs.
    std::string JournalFolder() const { return state / "tessel"; }

    // Writes the files (names may hold a folder) and adds them as rows in this order.
    void AddFiles(const std::vector<std::string>& names) {
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(dir.WriteFile(name, "content of " + name));
        ASSERT_EQ(DropFiles(session, paths), static_cast<int>(names.size()));
        // Only the run's progress is of interest.
        prompts.m_progressRanges.clear();
        prompts.m_progressPositions.clear();
    }

    // Sets the new names (without extension) of the first rows.
    void Rename(const std::vector<std::string>& newNames) {
        for (size_t row = 0; row < newNames.size(); ++row)
            session.List().GetEntry(static_cast<int>(row)).m_strNewName.Set(newNames[row]);
    }

    // The codes of the preview and of the results of a run that went ahead.
    std::vector<int> PreviewCodes() { return Codes(prompts.m_results.size() >= 1, 0); }
    std::vector<int> ResultCodes() { return Codes(prompts.m_results.size() == 2, 1); }
    std::vector<int> Codes(bool shown, size_t dialog, bool systemErrors = false) {
        std::vector<int> codes;
        if (shown)
            for (const SShownResult& row : prompts.m_results[dialog].rows)
                codes.push_back(systemErrors ? row.nSystemError : row.nCode);
        return codes;
    }

    CTempDir state;

    // The file now at name holds the content it was written with under original.
    void ExpectMoved(const std::string& original, const std::string& name) {
        EXPECT_EQ(ReadFileBytes(dir / name), "content of " + original) << name;
    }
    void ExpectMoved(const std::vector<std::pair<std::string, std::string>>& moves) {
        for (const auto& [original, name] : moves)
            ExpectMoved(original, name);
    }
};

// The first rename of a run, as the run tells its observer.
inline SComingRename FirstRename(std::string_view from, std::string_view to) {
    SComingRename rename;
    rename.from = from;
    rename.to = to;
    return rename;
}
