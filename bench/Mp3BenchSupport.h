// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchSupport.h"

// A folder of tagged MP3 files for the tag benchmarks, removed at the end.
class CTaggedFolder {
public:
    explicit CTaggedFolder(int count) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tessel-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        m_strFolder = pattern;
        std::string bytes(4096, 'a');
        std::string block = "TAG" + std::string(124, '\0') + '\x11';
        block.replace(3, 4, "Song");
        bytes += block;
        for (int i = 0; i < count; ++i) {
            std::string path = m_strFolder + "/Band - Song " + std::to_string(i) + ".mp3";
            int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (fd < 0 || write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()))
                std::abort();
            close(fd);
            m_paths.push_back(path);
        }
    }
    ~CTaggedFolder() {
        std::error_code error;
        std::filesystem::remove_all(m_strFolder, error);
    }
    const std::vector<std::string>& Paths() const { return m_paths; }

private:
    std::string m_strFolder;
    std::vector<std::string> m_paths;
};
