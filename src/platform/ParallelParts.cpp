#include "platform/ParallelParts.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr unsigned kMostThreads = 4;

}  // namespace

void ForEachPart(size_t count, size_t minPerPart,
                 const std::function<void(size_t first, size_t last)>& work) {
    unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
    size_t parts = std::clamp<size_t>(count / std::max<size_t>(minPerPart, 1), 1, threads);
    std::vector<std::thread> helpers;
    for (size_t part = 1; part < parts; ++part) {
        size_t first = count * part / parts;
        size_t last = count * (part + 1) / parts;
        try {
            helpers.emplace_back(work, first, last);
        } catch (const std::system_error&) {
            work(first, last);
        }
    }
    work(0, count / parts);
    for (std::thread& helper : helpers)
        helper.join();
}

void ForEachChunk(size_t count, size_t chunkSize,
                  const std::function<void(size_t chunk, size_t first, size_t last)>& work) {
    chunkSize = std::max<size_t>(chunkSize, 1);
    ForEachPart((count + chunkSize - 1) / chunkSize, 1, [&](size_t firstChunk, size_t lastChunk) {
        for (size_t chunk = firstChunk; chunk < lastChunk; ++chunk)
            work(chunk, chunk * chunkSize, std::min(count, (chunk + 1) * chunkSize));
    });
}

void RunBeside(const std::function<void()>& aside, const std::function<void()>& here) {
    std::thread helper;
    try {
        helper = std::thread(aside);
    } catch (const std::system_error&) {
        aside();
    }
    here();
    if (helper.joinable())
        helper.join();
}
