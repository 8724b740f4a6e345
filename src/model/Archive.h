#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The byte encoding of a saved rename list: little-endian integers and length-prefixed
// strings (one length byte below 255; else 0xFF and 16 bits below 0xFFFE; else 0xFF,
// 0xFFFF and 32 bits). After 0xFF the 16-bit value 0xFFFE announces a string of 16-bit
// characters, which is read and converted to UTF-8 but never written.
class CArchiveWriter {
public:
    void WriteString(std::string_view text);
    void WriteUInt32(uint32_t value);
    void WriteInt32(int32_t value) { WriteUInt32(static_cast<uint32_t>(value)); }
    const std::string& Bytes() const { return m_bytes; }
    std::string Take() { return std::move(m_bytes); }
    void Reserve(size_t size) { m_bytes.reserve(size); }

private:
    void WriteUInt16(uint16_t value);
    std::string m_bytes;
};

// Reads from a buffer it does not own; every read checks the bytes left, so a damaged
// file can neither run past its end nor make it allocate more than the file holds.
class CArchiveReader {
public:
    explicit CArchiveReader(std::string_view bytes) : m_bytes(bytes) {}

    bool ReadString(std::string& text);
    bool ReadUInt32(uint32_t& value);
    bool ReadInt32(int32_t& value);
    size_t Remaining() const { return m_bytes.size() - m_pos; }

private:
    bool ReadUInt8(uint8_t& value);
    bool ReadUInt16(uint16_t& value);
    bool ReadLength(uint32_t& length, bool& wide);
    bool ReadWideString(uint32_t length, std::string& text);

    std::string_view m_bytes;
    size_t m_pos = 0;
};
