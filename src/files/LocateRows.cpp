// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/LocateRows.h"

#include <array>
#include <deque>
#include <string_view>
#include <unordered_map>

#include "platform/EntryProber.h"
#include "platform/ParallelParts.h"

// One probe per row, in parallel parts when the rows are many, since a run over a large
// list spends much of its preview waiting for these probes.
namespace {

// Probes rows [first, last): each found row gets a view of its folder, into its own path
// when that is plain, otherwise into folders this part keeps.
void ProbePart(const RowPathList& paths, size_t first, size_t last, std::vector<SRowFacts>& facts,
               std::vector<std::string_view>& folderOf, std::deque<std::string>& resolved) {
    CEntryProber prober;
    SPathFacts probed;
    for (size_t row = first; row < last; ++row) {
        const std::string& path = *paths[row];
        const std::string* folder = prober.Probe(path, probed);
        if (folder == nullptr)
            continue;
        static_cast<SEntryFacts&>(facts[row]) = probed;
        facts[row].id = probed.id;
        if (path.starts_with(*folder) && path.find('/', folder->size()) == std::string::npos) {
            folderOf[row] = std::string_view(path).substr(0, folder->size());
        } else {
            resolved.push_back(*folder);
            folderOf[row] = resolved.back();
        }
    }
}

}  // namespace

SRowFolders LocateRows(const RowPathList& paths, std::vector<SRowFacts>* pFacts) {
    size_t rows = paths.size();
    std::vector<SRowFacts> ownFacts;
    std::vector<SRowFacts>& facts = pFacts ? *pFacts : ownFacts;
    facts.assign(rows, SRowFacts());
    std::vector<std::string_view> folderOf(rows);

    // Each part keeps its resolved folders apart.
    std::array<std::deque<std::string>, kMostParts> resolved;
    // Contiguous parts, so that each prober still meets the rows folder by folder.
    ForEachPart(rows, [&](size_t part, size_t first, size_t last) {
        ProbePart(paths, first, last, facts, folderOf, resolved[part]);
    });

    SRowFolders where;
    where.folderOf.assign(rows, -1);
    std::unordered_map<std::string_view, int> indexOf;
    int last = -1;
    for (size_t row = 0; row < rows; ++row) {
        if (folderOf[row].empty())
            continue;
        if (last < 0 || folderOf[row] != where.folders[static_cast<size_t>(last)]) {
            auto [it, inserted] =
                indexOf.try_emplace(folderOf[row], static_cast<int>(indexOf.size()));
            if (inserted)
                where.folders.emplace_back(folderOf[row]);
            last = it->second;
        }
        where.folderOf[row] = last;
    }
    return where;
}
