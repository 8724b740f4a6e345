// SPDX-License-Identifier: GPL-3.0-or-later
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

// What keeps an association from being added, in words for the user; "" when nothing
// does. The extension must start with "." and have more after it; the program must be an
// executable regular file, given by its path or by a bare name found in one of the
// folders of searchPath (separated by ":" as in PATH; empty entries are skipped, so the
// current folder is never searched). The program's full path goes to resolved.
std::string AssociationProblem(const std::string& extension, const std::string& program,
                               const std::string& searchPath, std::string& resolved);

// An extension of an association: "." and more after it.
bool IsViewerExtension(const std::string& extension);

// AssociationProblem finds nothing, searching the process's PATH.
bool IsValidAssociation(const std::string& extension, const std::string& program);
