// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <utility>

// The per-user settings, integers and strings by section and key.
class IProfile {
public:
    virtual ~IProfile() = default;
    virtual int GetInt(const std::string& section, const std::string& key, int fallback) = 0;
    virtual void WriteInt(const std::string& section, const std::string& key, int value) = 0;
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& fallback) = 0;
    virtual void WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

struct SId3EditorOptions;

// The field choice and the column locks of the ID3 Editor options, as the profile keeps
// them: sections "Format" (keys "1" to "4") and "Lock" (keys "1" to "6"), and whether
// tag writes add ID3v2 tags (section "ID3v2", key "Add"), 1 for on.
SId3EditorOptions ReadEditorOptions(IProfile& profile);
void WriteEditorOptions(IProfile& profile, const SId3EditorOptions& options);

// Settings held in memory: the command line's profile and the tests'.
class CMemoryProfile : public IProfile {
public:
    int GetInt(const std::string& section, const std::string& key, int fallback) override;
    void WriteInt(const std::string& section, const std::string& key, int value) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& fallback) override;
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};
