// Where each row's file lies: one probe per row, spread over the processor's cores when
// the rows are many, since a run over a large list spends much of its preview here.

#include <algorithm>
#include <deque>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_map>

#include "model/FileFacts.h"
#include "platform/EntryProber.h"

namespace {

constexpr size_t kRowsPerThread = 4096;
constexpr unsigned kMostThreads = 4;

// Probes rows [first, last): each found row gets a view of its folder, into its own path
// when that is plain, otherwise into folders this part keeps.
void ProbePart(const std::vector<std::string>& paths, size_t first, size_t last,
               std::vector<SPathFacts>& facts, std::vector<std::string_view>& folderOf,
               std::deque<std::string>& resolved) {
    CEntryProber prober;
    for (size_t row = first; row < last; ++row) {
        const std::string* folder = prober.Probe(paths[row], facts[row]);
        if (folder == nullptr)
            continue;
        const std::string& path = paths[row];
        if (path.starts_with(*folder) && path.find('/', folder->size()) == std::string::npos) {
            folderOf[row] = std::string_view(path).substr(0, folder->size());
        } else {
            resolved.push_back(*folder);
            folderOf[row] = resolved.back();
        }
    }
}

}  // namespace

SRowFolders LocateRows(const std::vector<std::string>& paths, std::vector<SPathFacts>* pFacts) {
    size_t rows = paths.size();
    std::vector<SPathFacts> ownFacts;
    std::vector<SPathFacts>& facts = pFacts ? *pFacts : ownFacts;
    facts.assign(rows, SPathFacts());
    std::vector<std::string_view> folderOf(rows);

    unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
    size_t parts = std::clamp<size_t>(rows / kRowsPerThread, 1, threads);
    std::vector<std::deque<std::string>> resolved(parts);
    std::vector<std::thread> helpers;
    // Contiguous parts, so that each prober still meets the rows folder by folder.
    for (size_t part = 1; part < parts; ++part) {
        size_t first = rows * part / parts;
        size_t last = rows * (part + 1) / parts;
        try {
            helpers.emplace_back(ProbePart, std::cref(paths), first, last, std::ref(facts),
                                 std::ref(folderOf), std::ref(resolved[part]));
        } catch (const std::system_error&) {
            // No thread to be had: this part is probed here, the result is the same.
            ProbePart(paths, first, last, facts, folderOf, resolved[part]);
        }
    }
    ProbePart(paths, 0, rows / parts, facts, folderOf, resolved[0]);
    for (std::thread& helper : helpers)
        helper.join();

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
