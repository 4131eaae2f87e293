#include "cli/job_pool.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace korvanta::cli {

void RunJobs(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& job) {
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stopped{false};
  std::mutex failure_mutex;
  std::exception_ptr failure;
  const auto work = [&] {
    for (;;) {
      if (stopped.load()) return;
      const std::size_t index = next.fetch_add(1);
      if (index >= count) return;
      try {
        job(index);
      } catch (...) {
        const std::lock_guard lock(failure_mutex);
        if (!failure) failure = std::current_exception();
        stopped.store(true);
      }
    }
  };
  const std::size_t workers = std::min<std::size_t>(std::max(threads, 1U), count);
  std::vector<std::thread> pool;
  for (std::size_t i = 1; i < workers; ++i) {
    try {
      pool.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // the system gives no more threads; fewer do the same work
    }
  }
  work();
  for (std::thread& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
}

unsigned DefaultJobCount() { return std::max(std::thread::hardware_concurrency(), 1U); }

}  // namespace korvanta::cli
