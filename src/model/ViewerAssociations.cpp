// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ViewerAssociations.h"

#include <cstdlib>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/FileFacts.h"
#include "model/Profile.h"

CViewerList LoadViewers(IProfile& profile) {
    CViewerList viewers;
    int count = profile.GetInt("Extension", "Entry", 0);
    for (int i = 0; i < count; ++i) {
        std::string key = std::to_string(i);
        viewers.push_back(
            {profile.GetString("Extension", key, ""), profile.GetString("Viewer", key, "")});
    }
    return viewers;
}

void SaveViewers(IProfile& profile, const CViewerList& viewers) {
    profile.WriteInt("Extension", "Entry", static_cast<int>(viewers.size()));
    for (size_t i = 0; i < viewers.size(); ++i) {
        std::string key = std::to_string(i);
        profile.WriteString("Extension", key, viewers[i].strExtension);
        profile.WriteString("Viewer", key, viewers[i].strProgram);
    }
}

std::string FindViewer(const CViewerList& viewers, const std::string& path) {
    // The extension of the file name, not of a folder with a dot in its name.
    size_t slash = path.rfind('/');
    std::string extension = ExtensionOf(slash == std::string::npos ? path : path.substr(slash + 1));
    if (extension.empty())
        return "";
    for (const SViewerAssociation& viewer : viewers)
        if (viewer.strExtension.size() == extension.size() &&
            strcasecmp(viewer.strExtension.c_str(), extension.c_str()) == 0)
            return viewer.strProgram;
    return "";
}

namespace {

enum class EProgramFile { Missing, NotAFile, NotExecutable, Usable };

EProgramFile ProgramFile(const std::string& path) {
    struct stat facts {};
    if (stat(path.c_str(), &facts) != 0)
        return EProgramFile::Missing;
    if (!S_ISREG(facts.st_mode))
        return EProgramFile::NotAFile;
    return access(path.c_str(), X_OK) == 0 ? EProgramFile::Usable : EProgramFile::NotExecutable;
}

}  // namespace

bool IsViewerExtension(const std::string& extension) {
    return extension.size() >= 2 && extension[0] == '.';
}

std::string AssociationProblem(const std::string& extension, const std::string& program,
                               const std::string& searchPath, std::string& resolved) {
    resolved.clear();
    if (!IsViewerExtension(extension))
        return "The extension must start with a dot, as in .html.";
    if (program.empty())
        return "Enter the program that opens these files.";
    if (program.find('/') == std::string::npos) {
        for (size_t start = 0; start <= searchPath.size();) {
            size_t end = searchPath.find(':', start);
            if (end == std::string::npos)
                end = searchPath.size();
            if (end > start) {
                std::string candidate = searchPath.substr(start, end - start) + "/" + program;
                if (ProgramFile(candidate) == EProgramFile::Usable) {
                    resolved = candidate;
                    return "";
                }
            }
            start = end + 1;
        }
        return program + " was not found in PATH.";
    }
    switch (ProgramFile(program)) {
        case EProgramFile::Missing:
            return program + " does not exist.";
        case EProgramFile::NotAFile:
            return program + " is not a file.";
        case EProgramFile::NotExecutable:
            return program + " is not executable.";
        case EProgramFile::Usable:
            break;
    }
    resolved = program;
    return "";
}

bool IsValidAssociation(const std::string& extension, const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string resolved;
    return AssociationProblem(extension, program, path != nullptr ? path : "", resolved).empty();
}
