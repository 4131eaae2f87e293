#include "cli/job_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace korvanta::cli {
namespace {

TEST(RunJobs, EveryIndexExactlyOnce) {
  for (const unsigned threads : {1U, 2U, 7U}) {
    std::vector<std::atomic<int>> runs(100);
    RunJobs(runs.size(), threads, [&](std::size_t i) { ++runs[i]; });
    EXPECT_TRUE(std::all_of(runs.begin(), runs.end(), [](const auto& n) { return n == 1; }))
        << threads << " threads";
  }
  RunJobs(0, 4, [](std::size_t) { FAIL() << "no job to run"; });
}

TEST(RunJobs, NoMoreAtOnceThanThreads) {
  std::atomic<int> running{0};
  std::atomic<int> most{0};
  RunJobs(40, 3, [&](std::size_t) {
    const int now = ++running;
    int seen = most.load();
    while (now > seen && !most.compare_exchange_weak(seen, now)) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    --running;
  });
  EXPECT_LE(most.load(), 3);
  EXPECT_GE(most.load(), 1);
}

TEST(RunJobs, OneThreadRunsInIndexOrderOnTheCallingThread) {
  std::vector<std::size_t> order;
  const auto caller = std::this_thread::get_id();
  RunJobs(5, 1, [&](std::size_t i) {
    EXPECT_EQ(std::this_thread::get_id(), caller);
    order.push_back(i);
  });
  EXPECT_EQ(order, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
}

TEST(RunJobs, AFailingJobStopsTheRestAndIsThrownAfterTheJoin) {
  std::atomic<int> started{0};
  EXPECT_THROW(RunJobs(1000, 2,
                       [&](std::size_t i) {
                         ++started;
                         if (i == 3) throw std::runtime_error("job 3");
                         std::this_thread::sleep_for(std::chrono::microseconds(200));
                       }),
               std::runtime_error);
  EXPECT_LT(started.load(), 1000);
}

}  // namespace
}  // namespace korvanta::cli
