// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempDir.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

CTempDir::CTempDir() : m_strPath((fs::temp_directory_path() / "tessel-test-XXXXXX").string()) {
    if (mkdtemp(m_strPath.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
}

// Folders a test made unreadable or read-only are opened up first, so that all goes.
CTempDir::~CTempDir() {
    std::error_code error;
    chmod(m_strPath.c_str(), 0700);
    for (auto& entry : fs::recursive_directory_iterator(m_strPath, error))
        if (entry.is_directory(error) && !entry.is_symlink(error))
            chmod(entry.path().c_str(), 0700);
    fs::remove_all(m_strPath, error);
}

std::string CTempDir::WriteFile(const std::string& name, const std::string& bytes) const {
    std::string path = *this / name;
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error("cannot write " + path);
    return path;
}

std::string CTempDir::MakeFolder(const std::string& name) const {
    fs::create_directories(*this / name);
    return *this / name;
}

std::string ReadFileBytes(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

bool PathExists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
