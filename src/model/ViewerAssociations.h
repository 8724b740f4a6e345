#pragma once

#include <string>
#include <vector>

class IProfile;

// Which program opens files of an extension when a row is double-clicked. Kept in the
// profile as "Extension"/"Entry" (the count), then "Extension"/i and "Viewer"/i.
struct SViewerAssociation {
    std::string strExtension;  // with its dot, e.g. ".html"
    std::string strProgram;    // full path of the viewer program
    bool operator==(const SViewerAssociation&) const = default;
};

using CViewerList = std::vector<SViewerAssociation>;

CViewerList LoadViewers(IProfile& profile);
// Writes the count and one pair per association; keys past the count are left alone and
// never read again.
void SaveViewers(IProfile& profile, const CViewerList& viewers);

// The program of the first association whose extension equals the file's extension,
// ignoring letter case; "" when none does or the file has no extension.
std::string FindViewer(const CViewerList& viewers, const std::string& path);

// An association may be added when the extension starts with "." and has more after it,
// and the program names an executable regular file.
bool IsValidAssociation(const std::string& extension, const std::string& program);
