// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/StepJob.h"

namespace {

using Log = std::vector<std::string>;
using namespace std::chrono_literals;

// A job that ends at its polls-th poll, or at the first poll after a cancel.
class CLoggedJob : public IJob {
public:
    CLoggedJob(Log& log, std::string name, int polls)
        : m_log(log), m_strName(std::move(name)), m_nPolls(polls) {}
    bool Poll(std::chrono::milliseconds) override {
        m_log.push_back(m_strName + " poll");
        return --m_nPolls <= 0 || m_bCancelled;
    }
    void Cancel() override {
        m_log.push_back(m_strName + " cancel");
        m_bCancelled = true;
    }

private:
    Log& m_log;
    std::string m_strName;
    int m_nPolls;
    bool m_bCancelled = false;
};

CStepJob::Step Logged(Log& log, std::string name, int polls) {
    return [&log, name, polls]() -> std::unique_ptr<IJob> {
        log.push_back(name);
        if (polls == 0)
            return nullptr;
        return std::make_unique<CLoggedJob>(log, name, polls);
    };
}

// Each step starts only once the job of the step before ended; steps without a job run
// straight on within the same poll.
TEST(StepJobTest, StepsRunInOrderEachAfterTheJobBeforeEnded) {
    Log log;
    CStepJob job;
    job.Then(Logged(log, "a", 2)).Then(Logged(log, "b", 0)).Then(Logged(log, "c", 1));
    EXPECT_FALSE(job.Poll(0ms));
    EXPECT_EQ(log, (Log{"a", "a poll"}));
    EXPECT_TRUE(job.Poll(0ms));
    EXPECT_EQ(log, (Log{"a", "a poll", "a poll", "b", "c", "c poll"}));
    EXPECT_TRUE(job.Poll(0ms));
    EXPECT_EQ(log.size(), 6u);
}

// Stop lets the stopping step's job end and skips the rest; Cancel reaches the job that
// runs and every job a later step starts, while the steps themselves still run.
TEST(StepJobTest, StopSkipsTheRestAndCancelReachesLaterJobs) {
    Log log;
    CStepJob stopped;
    stopped.Then([&]() -> std::unique_ptr<IJob> {
        stopped.Stop();
        return std::make_unique<CLoggedJob>(log, "a", 2);
    });
    stopped.Then(Logged(log, "b", 0));
    EXPECT_FALSE(stopped.Poll(0ms));
    EXPECT_TRUE(stopped.Poll(0ms));
    EXPECT_EQ(log, (Log{"a poll", "a poll"}));

    log.clear();
    CStepJob cancelled;
    cancelled.Then(Logged(log, "a", 100)).Then(Logged(log, "b", 100)).Then(Logged(log, "c", 0));
    EXPECT_FALSE(cancelled.Poll(0ms));
    cancelled.Cancel();
    EXPECT_TRUE(cancelled.Poll(0ms));
    EXPECT_EQ(log, (Log{"a", "a poll", "a cancel", "a poll", "b", "b cancel", "b poll", "c"}));
}

}  // namespace
