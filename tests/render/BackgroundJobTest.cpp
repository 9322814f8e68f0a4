// The renderer's file side runs beside the plug-in's thread: one job at a time, its results
// seen once waited for, its failure thrown to the caller, and never cut off by the end.
#include "BackgroundJob.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

TEST(BackgroundJob, JobsRunInTurnAndAFailureReachesTheCaller)
{
    BackgroundJob job;
    std::vector<int> seen;
    for (int i = 0; i < 100; ++i)
    {
        job.start([&seen, i] { seen.push_back(i); });
        job.wait();
    }
    ASSERT_EQ(seen.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(seen[static_cast<std::size_t>(i)], i);

    job.start([] { throw std::runtime_error("disk full"); });
    EXPECT_THROW(job.wait(), std::runtime_error);
    // The failure is reported once; the next job runs as usual.
    job.start([&seen] { seen.clear(); });
    EXPECT_NO_THROW(job.wait());
    EXPECT_TRUE(seen.empty());
}

TEST(BackgroundJob, EndingWaitsForTheRunningJob)
{
    bool finished = false;
    {
        BackgroundJob job;
        job.start(
            [&finished]
            {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                finished = true;
            });
    }
    EXPECT_TRUE(finished);
}
