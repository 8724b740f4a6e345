#include "platform/ParallelParts.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Below this many items a part costs more to start than its waits take.
constexpr size_t kItemsPerPart = 256;

}  // namespace

void ForEachPart(size_t count,
                 const std::function<void(size_t part, size_t first, size_t last)>& work) {
    auto threads = static_cast<size_t>(std::max(std::thread::hardware_concurrency(), 1u));
    size_t parts = std::clamp<size_t>(count / kItemsPerPart, 1, std::min(threads, kMostParts));
    std::vector<std::exception_ptr> failures(parts);
    auto run = [&](size_t part) {
        try {
            work(part, count * part / parts, count * (part + 1) / parts);
        } catch (...) {
            failures[part] = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    helpers.reserve(parts);
    for (size_t part = 1; part < parts; ++part) {
        try {
            helpers.emplace_back(run, part);
        } catch (const std::system_error&) {
            run(part);
        }
    }
    run(0);
    for (std::thread& helper : helpers)
        helper.join();
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}
