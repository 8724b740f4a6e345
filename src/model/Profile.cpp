#include "model/Profile.h"

#include <cstdlib>

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
