#include "model/FolderPicture.h"

#include <string_view>
#include <unordered_set>
#include <vector>

#include "model/NameSet.h"
#include "platform/FolderListing.h"

namespace {

// The name a full path has inside a folder ("" when it does not lie directly in it).
std::string_view NameIn(std::string_view folder, std::string_view path) {
    if (path.size() <= folder.size() || !path.starts_with(folder))
        return {};
    std::string_view name = path.substr(folder.size());
    return name.find('/') == std::string_view::npos ? name : std::string_view();
}

}  // namespace

struct CFolderPicture::SPicture {
    std::string strFolder;
    CNameSet names;
    std::unordered_set<std::string> outside;
};

CFolderPicture::CFolderPicture() = default;
CFolderPicture::~CFolderPicture() = default;

bool CFolderPicture::Load(const std::string& folder) {
    Clear();
    auto picture = std::make_unique<SPicture>();
    picture->strFolder = folder;
    std::vector<std::string_view> kept = {".", ".."};
    if (!VisitFolder(folder,
                     [&](std::string_view name) { kept.push_back(picture->names.Keep(name)); }))
        return false;
    // Room for as many names again, which the renames of a run over the folder add.
    picture->names.Reserve(kept.size() * 2);
    for (std::string_view name : kept)
        picture->names.InsertKept(name);
    m_p = std::move(picture);
    return true;
}

bool CFolderPicture::Rename(const std::string& newPath, const std::string& oldPath) {
    if (!m_p)
        m_p = std::make_unique<SPicture>();
    // Paths that do not lie directly in the folder are kept whole, so that the picture
    // answers for every path exactly as a list of full paths would.
    std::string_view newName = NameIn(m_p->strFolder, newPath);
    bool taken = newName.empty() ? m_p->outside.count(newPath) != 0 : m_p->names.Contains(newName);
    if (taken)
        return false;
    std::string_view oldName = NameIn(m_p->strFolder, oldPath);
    bool removed = false;
    if (oldName.empty()) {
        removed = m_p->outside.erase(oldPath) != 0;
    } else {
        removed = m_p->names.Erase(oldName);
    }
    if (removed && newName.empty())
        m_p->outside.insert(newPath);
    else if (removed)
        m_p->names.Insert(newName);
    return true;
}

void CFolderPicture::Clear() {
    m_p.reset();
}

size_t CFolderPicture::size() const {
    return m_p ? m_p->names.size() + m_p->outside.size() : 0;
}
