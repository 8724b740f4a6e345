// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ParallelParts.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

void ForEachPart(size_t count,
                 const std::function<void(size_t part, size_t first, size_t last)>& work,
                 size_t leastPerPart) {
    auto threads = static_cast<size_t>(std::max(std::thread::hardware_concurrency(), 1u));
    size_t parts = std::clamp<size_t>(count / std::max<size_t>(leastPerPart, 1), 1,
                                      std::min(threads, kMostParts));
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
