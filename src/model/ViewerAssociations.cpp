#include "model/ViewerAssociations.h"

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

bool IsValidAssociation(const std::string& extension, const std::string& program) {
    if (extension.size() < 2 || extension[0] != '.')
        return false;
    struct stat facts {};
    if (program.empty() || stat(program.c_str(), &facts) != 0 || !S_ISREG(facts.st_mode))
        return false;
    return access(program.c_str(), X_OK) == 0;
}
