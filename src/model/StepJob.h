// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "model/Job.h"

// A command whose work on the system happens in jobs, written as the steps it takes one
// after another on the caller's thread: a step may ask questions, change the list, and hand
// back a job that runs to its end before the next step starts. The command can thus be
// polled by a window's timer as well as run to its end by a script, with no step waiting
// for a worker while the caller's thread is needed elsewhere.
class CStepJob : public IJob {
public:
    // A step returns the job to finish before the next step, or null to go straight on.
    using Step = std::function<std::unique_ptr<IJob>()>;

    // Adds a step after the others.
    CStepJob& Then(Step step);
    // Called by a step: the steps after it are skipped and the command ends once the
    // step's job (if any) has ended.
    void Stop() { m_bStopped = true; }

    bool Poll(std::chrono::milliseconds wait) override;
    void Cancel() override;

private:
    std::vector<Step> m_steps;
    size_t m_nNext = 0;
    std::unique_ptr<IJob> m_pJob;  // the job of the step last taken, while it runs
    bool m_bStopped = false;
    bool m_bCancelled = false;
};
