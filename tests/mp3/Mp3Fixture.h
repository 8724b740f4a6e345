#pragma once

#include <string>

#include "mp3/Id3Block.h"
#include "support/SessionFixture.h"
#include "support/TempDir.h"

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

    CTempDir dir;
};

inline const std::string kAudio(1000, 'a');
