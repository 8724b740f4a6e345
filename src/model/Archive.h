// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
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
    void Clear() { m_bytes.clear(); }
    void Reserve(size_t size) { m_bytes.reserve(size); }

private:
    void WriteUInt16(uint16_t value);
    void WriteLittleEndian(uint32_t value, int bytes);
    std::string m_bytes;
};

// Reads a saved list from a buffer it does not own, or from a source of known size through
// a small window of its own, so that a long list never sits in memory whole beside its
// rows. Every read checks the bytes left, so a damaged file can neither run past its end
// nor make it allocate more than the file holds.
class CArchiveReader {
public:
    // Reads up to the count of bytes asked into the buffer; 0 at the end or on failure.
    using FSource = std::function<size_t(char* buffer, size_t count)>;

    explicit CArchiveReader(std::string_view bytes) : m_window(bytes) {}
    // The bytes must outlive the reader.
    explicit CArchiveReader(std::string&& bytes) = delete;
    // size bytes, pulled from source as they are needed; a source that ends early ends
    // the input there.
    CArchiveReader(FSource source, uint64_t size) : m_source(std::move(source)), m_nUnread(size) {}

    bool ReadString(std::string& text);
    bool ReadUInt32(uint32_t& value);
    bool ReadInt32(int32_t& value);
    uint64_t Remaining() const { return m_window.size() - m_pos + m_nUnread; }

private:
    // Whether count more bytes are there, pulled into the window when needed.
    bool Have(size_t count) { return m_window.size() - m_pos >= count || Pull(count); }
    bool Pull(size_t count);
    // The next bytes of the window (which holds them), least significant first.
    uint32_t TakeLittleEndian(int bytes);
    bool ReadUInt8(uint8_t& value);
    bool ReadUInt16(uint16_t& value);
    bool ReadLength(uint32_t& length, bool& wide);
    bool ReadWideString(uint32_t length, std::string& text);

    std::string_view m_window;
    size_t m_pos = 0;
    FSource m_source;
    uint64_t m_nUnread = 0;  // bytes of the source not yet in the window
    std::string m_buffer;    // the window's bytes, when they come from a source
};
