// A small pool of threads working through numbered jobs.
#pragma once

#include <cstddef>
#include <functional>

namespace korvanta::cli {

// Runs job(0) .. job(count - 1), at most `threads` at once (the calling thread is one of
// them), each index exactly once, and returns when all have ended. Jobs start in index order.
// The first exception a job throws is thrown again once every thread has stopped; jobs not yet
// started then do not start.
void RunJobs(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& job);

// The number of conversions to run at once when none is asked for: one per processor.
unsigned DefaultJobCount();

}  // namespace korvanta::cli
