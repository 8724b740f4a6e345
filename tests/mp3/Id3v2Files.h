// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// ID3v2 tags built byte by byte, for files made by the tests: any frame, known or not.

inline std::string Synchsafe(size_t value) {
    std::string out;
    for (int shift = 21; shift >= 0; shift -= 7)
        out += static_cast<char>((value >> shift) & 0x7F);
    return out;
}

inline std::string BigEndian(size_t value, int bytes) {
    std::string out;
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
    return out;
}

// A frame of the version: 2.2 has three-letter ids and sizes of three bytes, 2.3 plain
// sizes, 2.4 synchsafe ones.
inline std::string V2Frame(int version, const std::string& id, const std::string& data) {
    if (version == 2)
        return id + BigEndian(data.size(), 3) + data;
    std::string size = version == 4 ? Synchsafe(data.size()) : BigEndian(data.size(), 4);
    return id + size + std::string(2, '\0') + data;
}

// A text frame in Latin-1.
inline std::string V2Text(int version, const std::string& id, const std::string& latin1) {
    return V2Frame(version, id, std::string(1, '\0') + latin1);
}

// A comment in Latin-1 with a language and a description.
inline std::string V2Comment(int version, const std::string& text,
                             const std::string& description = "") {
    return V2Frame(version, version == 2 ? "COM" : "COMM",
                   std::string(1, '\0') + "eng" + description + std::string(1, '\0') + text);
}

// A whole tag: header, the frames, then padding zero bytes.
inline std::string V2Tag(int version, const std::vector<std::string>& frames,
                         size_t padding = 64, unsigned char flags = 0) {
    std::string body;
    for (const std::string& frame : frames)
        body += frame;
    body.append(padding, '\0');
    return std::string("ID3") + static_cast<char>(version) + '\0' + static_cast<char>(flags) +
           Synchsafe(body.size()) + body;
}

// The frames most taggers write that a tag edit must leave alone: a picture, lyrics, a
// track number, replay gain, a private frame and one no program knows.
inline std::vector<std::string> KeptFrames(int version) {
    std::string picture = std::string(1, '\0') + "image/png" + '\0' + '\3' + "cover" + '\0' +
                          std::string("\x89PNG\r\n\x1a\n\xff\x00\xff", 11);
    return {V2Frame(version, "APIC", picture),
            V2Frame(version, "USLT", std::string(1, '\0') + "eng" + '\0' + "la la la\nla"),
            V2Text(version, "TRCK", "3/12"),
            V2Frame(version, "TXXX",
                    std::string(1, '\0') + "replaygain_track_gain" + '\0' + "-6.50 dB"),
            V2Frame(version, "PRIV", std::string("WM/Provider\0\x01\x02\xff", 15)),
            V2Frame(version, "XQZW", std::string("\x00\xff\xfe unknown\x00", 12))};
}
