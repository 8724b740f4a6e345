// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

// A broken property ends the run, so that the fuzzer keeps the input that broke it.
inline void Require(bool holds) {
    if (!holds)
        std::abort();
}

// One scratch file for the whole run, in a folder of its own made from the pattern (ending
// in XXXXXX), removed at exit. The first call's pattern is the one used.
inline const std::string& ScratchFile(const char* folderPattern) {
    static const std::string file = [folderPattern] {
        static std::string folder = folderPattern;
        Require(mkdtemp(folder.data()) != nullptr);
        std::atexit([] {
            unlink((folder + "/song.mp3").c_str());
            rmdir(folder.c_str());
        });
        return folder + "/song.mp3";
    }();
    return file;
}

// A file's bytes.
inline std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
