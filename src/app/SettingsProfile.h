// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Profile.h"

class QSettings;

// The profile kept in QSettings (organisation and application "Tessel"): each section is
// a group, each key a value in it.
class CSettingsProfile : public IProfile {
public:
    explicit CSettingsProfile(QSettings& settings) : m_settings(settings) {}

    int GetInt(const std::string& section, const std::string& key, int fallback) override;
    void WriteInt(const std::string& section, const std::string& key, int value) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& fallback) override;
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;

private:
    QSettings& m_settings;
};
