// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>

// The most parts a loop is cut into: one thread each.
constexpr size_t kMostParts = 4;
// The fewest items a part takes when each item is one wait (a look at a file): below
// this, a part costs more to start than its waits take.
constexpr size_t kLooksPerPart = 256;

// Runs work(part, first, last) over contiguous parts of [0, count), numbered from 0 and
// fewer than kMostParts, each on a thread of its own, and returns when every part is
// done; a part takes at least leastPerPart items. Only for loops whose time goes to
// waiting on the file system (probing, adding, writing tags): the waits overlap; a loop
// that only works in memory gains too little.
// A short loop runs here as one part. Parts never overlap; work must only touch its own
// items. When work throws, the other parts still finish and the first exception thrown
// (in part order) reaches the caller. Without a thread to be had, the parts run here one
// after another.
void ForEachPart(size_t count,
                 const std::function<void(size_t part, size_t first, size_t last)>& work,
                 size_t leastPerPart = kLooksPerPart);
