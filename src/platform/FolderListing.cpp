#include "platform/FolderListing.h"

bool ListFolder(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    return VisitFolder(folder, [&](std::string_view name) { names.emplace_back(name); });
}
