// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SettingsProfile.h"

#include <QSettings>

#include "app/StoredBytes.h"

namespace {

QString KeyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

}  // namespace

int CSettingsProfile::GetInt(const std::string& section, const std::string& key, int fallback) {
    QVariant value = m_settings.value(KeyOf(section, key));
    if (!value.isValid())
        return fallback;
    // A value someone typed into the file that is no number reads as 0, as a missing
    // number of a hand-edited profile should.
    bool ok = false;
    int number = value.toInt(&ok);
    return ok ? number : 0;
}

void CSettingsProfile::WriteInt(const std::string& section, const std::string& key, int value) {
    m_settings.setValue(KeyOf(section, key), value);
}

std::string CSettingsProfile::GetString(const std::string& section, const std::string& key,
                                        const std::string& fallback) {
    QVariant value = m_settings.value(KeyOf(section, key));
    return value.isValid() ? BytesFromStored(value) : fallback;
}

void CSettingsProfile::WriteString(const std::string& section, const std::string& key,
                                   const std::string& value) {
    m_settings.setValue(KeyOf(section, key), StoredBytes(value));
}
