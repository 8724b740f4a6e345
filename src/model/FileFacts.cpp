// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FileFacts.h"

#include <bitset>
#include <charconv>
#include <string_view>

#include "platform/LocalTime.h"
#include "platform/NameRules.h"

std::string ExtensionOf(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string TitleOf(const std::string& name) {
    return name.substr(0, name.rfind('.'));
}

std::string ModifiedText(int64_t seconds) {
    // "%i/%i/%i %i:%i" of month, day, year, hour and minute, written without printf: this
    // runs once for every file added.
    SLocalTime t = ToLocalTime(seconds);
    char text[64];
    char* end = text + sizeof text;
    char* at = text;
    const int parts[] = {t.nMonth, t.nDay, t.nYear, t.nHour, t.nMinute};
    const char separators[] = {'/', '/', ' ', ':'};
    for (size_t i = 0; i < 5; ++i) {
        at = std::to_chars(at, end, parts[i]).ptr;
        if (i < 4)
            *at++ = separators[i];
    }
    return std::string(text, at);
}

bool CFileFacts::Probe(const std::string& path, SPathFacts& facts) {
    m_bExists = QueryPath(path, facts);
    m_bRoot = m_bExists && IsRootPath(facts.strPath);
    m_bFolder = facts.bIsFolder;
    return m_bExists;
}

bool CFileFacts::CheckPath(const std::string& path) {
    SPathFacts facts;
    return Probe(path, facts);
}

bool CFileFacts::FillFromPath(const std::string& path) {
    SPathFacts facts;
    if (!Probe(path, facts))
        return false;
    FillFromFacts(std::move(facts.strPath), facts);
    return true;
}

void CFileFacts::FillFromFacts(std::string absolutePath, const SEntryFacts& facts) {
    m_bExists = true;
    m_bRoot = IsRootPath(absolutePath);
    m_bFolder = facts.bIsFolder;
    std::string name = m_bRoot ? absolutePath : absolutePath.substr(absolutePath.rfind('/') + 1);
    m_strNewName.Set(TitleOf(name));
    m_strExt.Set(ExtensionOf(name));
    m_strName.Set(std::move(name));
    m_strPath.Set(std::move(absolutePath));
    SetSize(facts.nSize);
    SetModified(facts.timeModified);
}

void CFileFacts::SetSize(uint64_t size) {
    m_nSize = size;
    m_strSize.Set(std::to_string(size));
}

void CFileFacts::SetModified(int64_t seconds) {
    m_timeModified = seconds;
    m_strModified.Set(ModifiedText(seconds));
}

std::string CFileFacts::GetNewFileName() const {
    return m_strNewName.Get() + m_strExt.Get();
}

std::string CFileFacts::GetCurrentTitle() const {
    return TitleOf(m_strName.Get());
}

bool CFileFacts::SameFileFields(const CFileFacts& other) const {
    return m_strName == other.m_strName && m_strNewName == other.m_strNewName &&
           m_strExt == other.m_strExt && m_strPath == other.m_strPath &&
           m_strSize == other.m_strSize && m_nSize == other.m_nSize &&
           m_strModified == other.m_strModified;
}

bool CFileFacts::HasIllegalChar(const CFileFacts& entry, bool reservedRefused) {
    // One look-up a byte: find_first_of searches the set with a call for every byte.
    std::bitset<256> illegal;
    for (char c : {'/', '\0'})
        illegal.set(static_cast<unsigned char>(c));
    if (reservedRefused)
        for (char c : kReservedNameChars)
            illegal.set(static_cast<unsigned char>(c));
    for (const CTextField* part : {&entry.m_strNewName, &entry.m_strExt})
        for (char c : part->Get())
            if (illegal[static_cast<unsigned char>(c)])
                return true;
    return false;
}
