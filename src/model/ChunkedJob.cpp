// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ChunkedJob.h"

#include <algorithm>
#include <system_error>

CChunkedJob::CChunkedJob(size_t count, size_t chunkSize, Range work, Range takeIn,
                         std::function<void(size_t taken)> end)
    : m_nCount(count),
      m_nChunkSize(std::max<size_t>(chunkSize, 1)),
      m_work(std::move(work)),
      m_takeIn(std::move(takeIn)),
      m_end(std::move(end)) {
    try {
        m_thread = std::thread([this] { WorkAll(); });
    } catch (const std::system_error&) {
        WorkAll();  // without a thread to be had, the caller waits for the whole job once
    }
}

CChunkedJob::~CChunkedJob() {
    m_bCancel = true;
    if (m_thread.joinable())
        m_thread.join();
}

void CChunkedJob::WorkAll() {
    for (size_t first = 0; first < m_nCount && !m_bCancel; first += m_nChunkSize) {
        size_t last = std::min(m_nCount, first + m_nChunkSize);
        m_work(first, last);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_nDone = last;
        m_changed.notify_one();
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bStopped = true;
    m_changed.notify_one();
}

bool CChunkedJob::Poll(std::chrono::milliseconds wait) {
    if (m_bEnded)
        return true;
    size_t done;
    bool stopped;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait_for(lock, wait, [&] { return m_bStopped || m_nDone > m_nTaken; });
        done = m_nDone;
        stopped = m_bStopped;
    }
    // One chunk a call keeps each call short however far the worker got ahead.
    if (m_nTaken < done) {
        size_t last = std::min(done, m_nTaken + m_nChunkSize);
        m_takeIn(m_nTaken, last);
        m_nTaken = last;
    }
    if (!stopped || m_nTaken < done)
        return false;
    if (m_thread.joinable())
        m_thread.join();
    m_bEnded = true;
    m_end(m_nTaken);
    return true;
}
