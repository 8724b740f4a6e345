// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Archive.h"

#include <unicode/ustring.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

void CArchiveWriter::WriteLittleEndian(uint32_t value, int bytes) {
    char out[4];
    for (int i = 0; i < bytes; ++i)
        out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    m_bytes.append(out, static_cast<size_t>(bytes));
}

void CArchiveWriter::WriteUInt16(uint16_t value) {
    WriteLittleEndian(value, 2);
}

void CArchiveWriter::WriteUInt32(uint32_t value) {
    WriteLittleEndian(value, 4);
}

void CArchiveWriter::WriteString(std::string_view text) {
    size_t length = text.size();
    if (length < 0xFF) {
        m_bytes += static_cast<char>(length);
    } else if (length < 0xFFFE) {
        m_bytes += '\xFF';
        WriteUInt16(static_cast<uint16_t>(length));
    } else {
        m_bytes += '\xFF';
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<uint32_t>(length));
    }
    m_bytes.append(text);
}

bool CArchiveReader::Pull(size_t count) {
    if (Remaining() < count)
        return false;
    // Big steps keep the calls few; a long string widens the window to hold it whole.
    constexpr size_t kStep = 256 * 1024;
    m_buffer.erase(0, m_pos);
    size_t kept = m_buffer.size();
    size_t wanted = static_cast<size_t>(std::min<uint64_t>(std::max(count, kStep), m_nUnread));
    m_buffer.resize(kept + wanted);
    size_t got = 0;
    while (got < wanted) {
        size_t step = m_source(m_buffer.data() + kept + got, wanted - got);
        if (step == 0)
            break;
        got += step;
    }
    m_buffer.resize(kept + got);
    m_nUnread = got < wanted ? 0 : m_nUnread - got;
    m_window = m_buffer;
    m_pos = 0;
    return m_window.size() >= count;
}

bool CArchiveReader::ReadUInt8(uint8_t& value) {
    if (!Have(1))
        return false;
    value = static_cast<uint8_t>(m_window[m_pos++]);
    return true;
}

uint32_t CArchiveReader::TakeLittleEndian(int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint32_t>(static_cast<uint8_t>(m_window[m_pos++])) << (8 * i);
    return value;
}

bool CArchiveReader::ReadUInt16(uint16_t& value) {
    if (!Have(2))
        return false;
    value = static_cast<uint16_t>(TakeLittleEndian(2));
    return true;
}

bool CArchiveReader::ReadUInt32(uint32_t& value) {
    if (!Have(4))
        return false;
    value = TakeLittleEndian(4);
    return true;
}

bool CArchiveReader::ReadInt32(int32_t& value) {
    uint32_t raw;
    if (!ReadUInt32(raw))
        return false;
    value = static_cast<int32_t>(raw);
    return true;
}

bool CArchiveReader::ReadLength(uint32_t& length, bool& wide) {
    wide = false;
    uint8_t byteLength;
    if (!ReadUInt8(byteLength))
        return false;
    if (byteLength < 0xFF) {
        length = byteLength;
        return true;
    }
    uint16_t shortLength;
    if (!ReadUInt16(shortLength))
        return false;
    if (shortLength == 0xFFFE) {
        // A 16-bit string: its own length follows in the same forms.
        wide = true;
        if (!ReadUInt8(byteLength))
            return false;
        if (byteLength < 0xFF) {
            length = byteLength;
            return true;
        }
        if (!ReadUInt16(shortLength))
            return false;
        if (shortLength == 0xFFFE)
            return false;
    }
    if (shortLength < 0xFFFE) {
        length = shortLength;
        return true;
    }
    return ReadUInt32(length);
}

bool CArchiveReader::ReadWideString(uint32_t length, std::string& text) {
    // ICU counts in int32_t; a string that long could not fit the file anyway.
    if (Remaining() / 2 < length || length > static_cast<uint32_t>(INT32_MAX))
        return false;
    std::vector<UChar> units(length);
    for (UChar& unit : units) {
        uint16_t value = 0;
        ReadUInt16(value);
        unit = value;
    }
    if (length == 0) {
        text.clear();
        return true;
    }
    UErrorCode error = U_ZERO_ERROR;
    int32_t needed = 0;
    u_strToUTF8WithSub(nullptr, 0, &needed, units.data(), static_cast<int32_t>(length), 0xFFFD,
                       nullptr, &error);
    if (error != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(error))
        return false;
    text.assign(static_cast<size_t>(needed), '\0');
    error = U_ZERO_ERROR;
    u_strToUTF8WithSub(text.data(), needed, &needed, units.data(), static_cast<int32_t>(length),
                       0xFFFD, nullptr, &error);
    return U_SUCCESS(error) || error == U_STRING_NOT_TERMINATED_WARNING;
}

bool CArchiveReader::ReadString(std::string& text) {
    uint32_t length;
    bool wide;
    if (!ReadLength(length, wide))
        return false;
    if (wide)
        return ReadWideString(length, text);
    if (!Have(length))
        return false;
    text.assign(m_window.substr(m_pos, length));
    m_pos += length;
    return true;
}
