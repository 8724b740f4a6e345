// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Profile.h"

#include <cstdlib>

#include "model/Prompts.h"

SId3EditorOptions ReadEditorOptions(IProfile& profile) {
    SId3EditorOptions options;
    for (size_t i = 0; i < options.format.size(); ++i)
        options.format[i] = profile.GetInt("Format", std::to_string(i + 1), 0);
    for (size_t i = 0; i < options.lock.size(); ++i)
        options.lock[i] = profile.GetInt("Lock", std::to_string(i + 1), 0);
    options.bAddId3v2 = profile.GetInt("ID3v2", "Add", 0);
    return options;
}

void WriteEditorOptions(IProfile& profile, const SId3EditorOptions& options) {
    for (size_t i = 0; i < options.format.size(); ++i)
        profile.WriteInt("Format", std::to_string(i + 1), options.format[i]);
    for (size_t i = 0; i < options.lock.size(); ++i)
        profile.WriteInt("Lock", std::to_string(i + 1), options.lock[i]);
    profile.WriteInt("ID3v2", "Add", options.bAddId3v2 ? 1 : 0);
}

int CMemoryProfile::GetInt(const std::string& section, const std::string& key, int fallback) {
    auto found = m_values.find({section, key});
    return found == m_values.end() ? fallback : std::atoi(found->second.c_str());
}

void CMemoryProfile::WriteInt(const std::string& section, const std::string& key, int value) {
    m_values[{section, key}] = std::to_string(value);
}

std::string CMemoryProfile::GetString(const std::string& section, const std::string& key,
                                      const std::string& fallback) {
    auto found = m_values.find({section, key});
    return found == m_values.end() ? fallback : found->second;
}

void CMemoryProfile::WriteString(const std::string& section, const std::string& key,
                                 const std::string& value) {
    m_values[{section, key}] = value;
}
