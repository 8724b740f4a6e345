// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>

#include "model/Job.h"

// A job over count items cut into chunks in order: a thread of its own runs work on one
// chunk after another, and Poll hands each finished chunk to takeIn on the caller's
// thread, in order. Work must touch nothing the caller's thread reads meanwhile; takeIn
// brings its results into the list. After the last chunk, or the first chunk after a
// Cancel, Poll calls end with the number of items taken in.
class CChunkedJob : public IJob {
public:
    using Range = std::function<void(size_t first, size_t last)>;

    CChunkedJob(size_t count, size_t chunkSize, Range work, Range takeIn,
                std::function<void(size_t taken)> end);
    ~CChunkedJob() override;
    CChunkedJob(const CChunkedJob&) = delete;
    CChunkedJob& operator=(const CChunkedJob&) = delete;

    bool Poll(std::chrono::milliseconds wait) override;
    void Cancel() override { m_bCancel = true; }

private:
    void WorkAll();

    const size_t m_nCount;
    const size_t m_nChunkSize;
    Range m_work;
    Range m_takeIn;
    std::function<void(size_t)> m_end;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    size_t m_nDone = 0;  // items worked on; guarded by m_mutex
    bool m_bStopped = false;
    std::atomic<bool> m_bCancel = false;
    size_t m_nTaken = 0;  // items taken in, on the caller's thread
    bool m_bEnded = false;
    std::thread m_thread;
};
