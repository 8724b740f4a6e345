#pragma once

#include <string>

// Raw ID3v1 blocks for tests: fields are given as the bytes to store, cut or padded
// with zero bytes to their width.
inline std::string RawField(const std::string& bytes, size_t width) {
    std::string field = bytes.substr(0, width);
    field.resize(width, '\0');
    return field;
}

inline std::string RawBlock(const std::string& title, const std::string& artist = "",
                            const std::string& album = "", const std::string& year = "",
                            const std::string& comment = "", unsigned char genre = 255,
                            const std::string& marker = "TAG") {
    return marker + RawField(title, 30) + RawField(artist, 30) + RawField(album, 30) +
           RawField(year, 4) + RawField(comment, 30) + std::string(1, static_cast<char>(genre));
}
