// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/StepJob.h"

CStepJob& CStepJob::Then(Step step) {
    m_steps.push_back(std::move(step));
    return *this;
}

bool CStepJob::Poll(std::chrono::milliseconds wait) {
    for (;;) {
        if (m_pJob) {
            if (!m_pJob->Poll(wait))
                return false;
            m_pJob.reset();
            // The job's own time is spent; the steps that follow run at once.
            wait = std::chrono::milliseconds(0);
        }
        if (m_bStopped || m_nNext == m_steps.size())
            return true;
        m_pJob = m_steps[m_nNext++]();
        if (m_pJob && m_bCancelled)
            m_pJob->Cancel();
    }
}

void CStepJob::Cancel() {
    m_bCancelled = true;
    if (m_pJob)
        m_pJob->Cancel();
}
