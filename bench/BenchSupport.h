// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "model/Profile.h"
#include "model/Prompts.h"
#include "model/TesselSession.h"

// Answers Yes and OK to every question, keeps the extensions and shows nothing, so that a
// benchmark times only the core.
class CBenchPrompts : public IPrompts {
public:
    EAnswer Message(EMessageId, const std::string&, EIcon, EButtons) override {
        return EAnswer::Yes;
    }
    bool ChooseFilesToAdd(std::vector<std::string>&) override { return false; }
    bool ChooseExtension(SExtensionChoice&) override { return true; }
    bool ShowResults(const CResultsList&) override { return true; }
    bool AskSwapMiddle(std::string&) override { return true; }
    bool AskSeparator(SSeparatorChoice&) override { return true; }
    bool ShowOptions(EOptionsPage, SId3EditorOptions&) override { return true; }
    bool RunRenameWizard(const SWizardInput&, SNumberingSettings&) override { return true; }
    void BeginProgress(int) override { m_lastCall = Clock::now(); }
    void SetProgress(int) override {}
    void ShowProgress(bool) override {}
    void EndProgress() override { Heard(); }
    // Where a window would paint: the longest time between two calls is how long a
    // long operation kept the caller's thread from its window.
    bool CancelRequested() override {
        Heard();
        return false;
    }

    using Clock = std::chrono::steady_clock;
    Clock::duration m_longestWait{};

private:
    void Heard() {
        Clock::time_point now = Clock::now();
        m_longestWait = std::max(m_longestWait, now - m_lastCall);
        m_lastCall = now;
    }
    Clock::time_point m_lastCall = Clock::now();
};

// A session whose prompts agree to everything, with its settings in memory.
struct SBenchSession {
    CBenchPrompts prompts;
    CMemoryProfile profile;
    CTesselSession session{prompts, profile};
};

// A folder under the temporary folder, removed with its contents at the end.
class CBenchDir {
public:
    CBenchDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tessel-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            m_strPath = pattern;
    }
    ~CBenchDir() {
        std::error_code error;
        if (!m_strPath.empty())
            std::filesystem::remove_all(m_strPath, error);
    }
    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
};

// An entry shaped like a row of a real music collection: folder, name, size and time.
inline CHitDoc MakeBenchEntry(int i) {
    char folder[96], name[96];
    std::snprintf(folder, sizeof folder, "/home/listener/Music/Artist %03d/Album %02d/", i / 1000,
                  i / 50 % 20);
    std::snprintf(name, sizeof name, "%02d Some Track Title %d.mp3", i % 50, i);
    CHitDoc entry;
    entry.m_strName.Set(name);
    entry.m_strNewName.Set(TitleOf(name));
    entry.m_strExt.Set(ExtensionOf(name));
    entry.m_strPath.Set(std::string(folder) + name);
    entry.SetSize(3000000 + static_cast<uint64_t>(i) * 7919 % 9000000);
    entry.SetModified(1400000000 + static_cast<int64_t>(i) * 86413 % 300000000);
    return entry;
}

inline void FillBenchSession(CTesselSession& session, int rows) {
    for (int i = 0; i < rows; ++i)
        session.AddEntry(MakeBenchEntry(i));
}
