#pragma once

#include <cstddef>
#include <functional>

// Runs work(first, last) over contiguous parts of [0, count), in parallel on the
// processor's cores when count reaches minPerPart items per part, and returns when every
// part is done. Parts never overlap; work must only touch its own items. Without a thread
// to be had, the parts run one after another here.
void ForEachPart(size_t count, size_t minPerPart,
                 const std::function<void(size_t first, size_t last)>& work);

// Cuts [0, count) into chunks of chunkSize items (the last may be shorter) and runs
// work(chunk, first, last) on each, the chunks spread over the cores as ForEachPart
// spreads items: for work whose output is kept per chunk, in chunk order.
void ForEachChunk(size_t count, size_t chunkSize,
                  const std::function<void(size_t chunk, size_t first, size_t last)>& work);

// Runs aside on a thread of its own while here runs on this one, and returns when both
// are done. Without a thread to be had, aside runs first, then here.
void RunBeside(const std::function<void()>& aside, const std::function<void()>& here);
