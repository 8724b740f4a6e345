// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

class IPrompts;

// A long operation whose system calls happen on a thread of its own while the caller's
// thread takes in the outcomes, shows progress and asks every question.
class IJob {
public:
    virtual ~IJob() = default;
    // Takes in what the worker finished since the last call, waiting at most wait for
    // news; any question is asked here, on the caller's thread. True once the job ended.
    virtual bool Poll(std::chrono::milliseconds wait) = 0;
    // Asks the worker to stop after the step in progress; Poll then winds the job up.
    virtual void Cancel() = 0;
};

// Another job run through a reference, for a caller that keeps the job to read what it
// found once it ended.
class CJobRef : public IJob {
public:
    explicit CJobRef(IJob& job) : m_job(job) {}
    bool Poll(std::chrono::milliseconds wait) override { return m_job.Poll(wait); }
    void Cancel() override { m_job.Cancel(); }

private:
    IJob& m_job;
};

// Polls a job until it ends, in steps short enough for a window to stay live between
// them, and cancels it once the prompts say the user asked to.
void RunToEnd(IJob& job, IPrompts& prompts);
