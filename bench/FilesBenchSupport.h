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

// A folder of empty files under the temporary folder, removed at exit: "count" files
// spread over "folders" sub-folders. Paths() lists them folder by folder.
class CBenchFiles {
public:
    CBenchFiles(int count, int folders) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tessel-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        m_strRoot = pattern;
        for (int f = 0; f < folders; ++f) {
            std::string folder = m_strRoot + "/folder" + std::to_string(f);
            mkdir(folder.c_str(), 0755);
            m_folders.push_back(folder + "/");
            for (int i = f; i < count; i += folders) {
                std::string path = folder + "/track number " + std::to_string(i) + ".mp3";
                int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
                if (fd < 0)
                    std::abort();
                close(fd);
                m_paths.push_back(path);
            }
        }
    }
    ~CBenchFiles() { std::filesystem::remove_all(m_strRoot); }

    const std::vector<std::string>& Paths() const { return m_paths; }
    const std::vector<std::string>& Folders() const { return m_folders; }

private:
    std::string m_strRoot;
    std::vector<std::string> m_folders;
    std::vector<std::string> m_paths;
};
