// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Job.h"

#include "model/Prompts.h"

void RunToEnd(IJob& job, IPrompts& prompts) {
    constexpr std::chrono::milliseconds kStep(20);
    do {
        if (prompts.CancelRequested())
            job.Cancel();
    } while (!job.Poll(kStep));
}
