#include "model/Job.h"

#include "model/Prompts.h"

void RunToEnd(IJob& job, IPrompts& prompts) {
    constexpr std::chrono::milliseconds kStep(20);
    while (!job.Poll(kStep))
        if (prompts.CancelRequested())
            job.Cancel();
}
