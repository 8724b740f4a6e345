// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RunHistory.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string_view>

#include "files/JournalFolder.h"
#include "files/ListLock.h"
#include "files/RunJournal.h"

namespace {

constexpr const char kJournalSuffix[] = ".journal";
constexpr size_t kNumberDigits = 8;

// "KEY-NUMBER.journal": the number, or false when name is not of this form.
bool SplitName(const std::string& name, std::string& key, unsigned long long& number) {
    constexpr size_t kSuffix = sizeof kJournalSuffix - 1;
    if (name.size() < kSuffix + kNumberDigits + 2 ||
        name.compare(name.size() - kSuffix, kSuffix, kJournalSuffix) != 0)
        return false;
    size_t dash = name.size() - kSuffix - kNumberDigits - 1;
    if (name[dash] != '-')
        return false;
    number = 0;
    for (size_t i = dash + 1; i < dash + 1 + kNumberDigits; ++i) {
        if (name[i] < '0' || name[i] > '9')
            return false;
        number = number * 10 + static_cast<unsigned long long>(name[i] - '0');
    }
    key = name.substr(0, dash);
    return true;
}

}  // namespace

CRunHistory::CRunHistory(const CJournalFolder& folder, std::string key, std::string listPath)
    : m_folder(folder), m_strKey(std::move(key)), m_strListPath(std::move(listPath)) {}

std::string CRunHistory::KeyOfJournal(const std::string& name) {
    std::string key;
    unsigned long long number = 0;
    return SplitName(name, key, number) ? key : std::string();
}

std::vector<std::pair<unsigned long long, std::string>> CRunHistory::Journals() const {
    return Journals([this](const std::string& key) { return key == m_strKey; });
}

void CRunHistory::VisitNames(const std::function<void(const std::string& name)>& visit) const {
    // A description of its own: a duplicate would share the folder's reading position.
    int fd = openat(m_folder.Fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* folder = fd >= 0 ? fdopendir(fd) : nullptr;
    if (folder == nullptr) {
        if (fd >= 0)
            close(fd);
        return;
    }
    while (const dirent* entry = readdir(folder))
        visit(entry->d_name);
    closedir(folder);
}

std::vector<std::pair<unsigned long long, std::string>> CRunHistory::Journals(
    const std::function<bool(const std::string& key)>& accept) const {
    std::vector<std::pair<unsigned long long, std::string>> journals;
    VisitNames([&](const std::string& name) {
        std::string key;
        unsigned long long number = 0;
        if (SplitName(name, key, number) && accept(key))
            journals.emplace_back(number, name);
    });
    std::sort(journals.begin(), journals.end());
    return journals;
}

std::vector<SRunEntry> CRunHistory::Runs() const {
    std::vector<SRunEntry> runs;
    std::string error;
    for (const auto& [number, name] : Journals()) {
        SRunEntry run;
        run.strName = name;
        if (CRunJournal(m_folder, name, m_strListPath).Read(run.contents, error) &&
            run.contents.strListPath == m_strListPath && run.contents.Records() > 0)
            runs.push_back(std::move(run));
    }
    return runs;
}

bool CRunHistory::LatestNotUndone(SRunEntry& run) const {
    std::vector<SRunEntry> runs = Runs();
    for (auto it = runs.rbegin(); it != runs.rend(); ++it)
        if (!it->contents.bUndone) {
            run = std::move(*it);
            return true;
        }
    return false;
}

std::string CRunHistory::NextName() const {
    std::vector<std::pair<unsigned long long, std::string>> journals = Journals();
    unsigned long long next = journals.empty() ? 1 : journals.back().first + 1;
    size_t excess = journals.size() + 1 > kKeptRuns ? journals.size() + 1 - kKeptRuns : 0;
    for (size_t i = 0; i < excess; ++i)
        unlinkat(m_folder.Fd(), journals[i].second.c_str(), 0);
    char number[32];
    std::snprintf(number, sizeof number, "%0*llu", static_cast<int>(kNumberDigits), next);
    return m_strKey + "-" + number + kJournalSuffix;
}

std::vector<SRunEntry> CRunHistory::InterruptedRuns(bool untitledToo) const {
    std::vector<SRunEntry> runs;
    auto accept = [&](const std::string& key) {
        return key == m_strKey || (untitledToo && key.rfind(kUntitledKeyPrefix, 0) == 0);
    };
    std::string error;
    for (const auto& [number, name] : Journals(accept)) {
        SRunEntry run;
        run.strName = name;
        std::string key = KeyOfJournal(name);
        if (!CRunJournal(m_folder, name, "").Read(run.contents, error) ||
            run.contents.Records() == 0 || !run.Interrupted() ||
            (key == m_strKey ? run.contents.strListPath != m_strListPath
                             : !run.contents.strListPath.empty()) ||
            CListLock::IsHeld(m_folder, key))
            continue;
        runs.push_back(std::move(run));
    }
    return runs;
}

void CRunHistory::ForgetEndedRunsOfUntitledLists() const {
    auto untitled = [](const std::string& key) { return key.rfind(kUntitledKeyPrefix, 0) == 0; };
    SJournalContents contents;
    std::string error;
    for (const auto& [number, name] : Journals(untitled)) {
        if (CListLock::IsHeld(m_folder, KeyOfJournal(name)) ||
            !CRunJournal(m_folder, name, "").Read(contents, error) ||
            !(contents.bFinished || contents.bUndone || contents.Records() == 0))
            continue;
        unlinkat(m_folder.Fd(), name.c_str(), 0);
    }
    // A window killed leaves the lock file of its list behind, and no window takes that
    // key again: once no journal of the key is left, the file goes, taken and let go as
    // any holder does, so that it never goes from under a holder.
    std::set<std::string> journaled;
    for (const auto& [number, name] : Journals(untitled))
        journaled.insert(KeyOfJournal(name));
    std::vector<std::string> locked;
    VisitNames([&](const std::string& name) {
        constexpr std::string_view kLockSuffix = ".lock";
        if (name.ends_with(kLockSuffix) && untitled(name))
            locked.push_back(name.substr(0, name.size() - kLockSuffix.size()));
    });
    for (const std::string& key : locked) {
        CListLock lock;
        if (!journaled.contains(key) &&
            lock.Acquire(m_folder, key, error, std::chrono::milliseconds(0)))
            lock.Release();
    }
}
