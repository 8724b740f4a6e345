// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "support/FileSizeLimit.h"
#include "support/SessionFixture.h"
#include "support/TempDir.h"

inline const std::string kAudio(1000, 'a');

// A raw ID3v1 block; each field is cut or padded with zero bytes to its width.
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

// A session whose rows stand for real files in a temporary folder.
class Mp3SessionTest : public SessionTest {
protected:
    // Writes the file and appends a row for it; returns the file's path.
    std::string AddFile(const std::string& name, const std::string& bytes) {
        std::string path = dir.WriteFile(name, bytes);
        session.AddEntry(CHitDoc(path));
        return path;
    }
    CHitDoc& Entry(int row) { return session.List().GetEntry(row); }
};
