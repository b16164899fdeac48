// The library's threads: every task of a job runs once, whether the threads or
// the waiting caller run it, and a job given up runs no task that had not begun.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "soundlib/WorkPool.h"

namespace {

using soundlib::WorkPool;

TEST(WorkPoolTest, EveryTaskOfEachJobRunsOnce) {
  for (int threads : {1, 3, 16}) {
    WorkPool pool(threads);
    for (int job = 0; job < 5; ++job) {
      std::vector<std::atomic<int>> runs(100);
      pool.Start(100, [&runs](int task) { ++runs[static_cast<size_t>(task)]; });
      pool.Wait();
      for (size_t task = 0; task < runs.size(); ++task)
        ASSERT_EQ(runs[task], 1) << threads << " threads, job " << job << ", task " << task;
    }
  }
}

TEST(WorkPoolTest, ANewJobWaitsForTheLastAndAGivenUpJobRunsNoMore) {
  WorkPool pool(2);
  std::atomic<int> first{0}, second{0};
  pool.Start(1000, [&first](int) { ++first; });
  pool.Start(10, [&second](int) { ++second; });  // the first job ends first
  EXPECT_EQ(first, 1000);
  pool.Wait(true);
  EXPECT_LE(second, 10);
  const int ran = second;
  pool.Wait();
  EXPECT_EQ(second, ran) << "nothing runs after the job was given up";
}

}  // namespace
