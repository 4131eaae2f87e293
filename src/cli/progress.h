// The status line of a run on a terminal: inputs done of all, the file last started and an
// estimate of the time left.
#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>

#include "cli/console.h"

namespace korvanta::cli {

// "12/200  plate_017.pht  about 40 s left": no estimate before the first input is done.
std::string ProgressText(std::size_t done, std::size_t total, const std::string& current,
                         std::chrono::steady_clock::duration elapsed);

// "about 40 s left", "about 3 min left", "about 1 h 5 min left".
std::string TimeLeftText(std::chrono::steady_clock::duration left);

// Counts the inputs of a run as they start and end and keeps the console's status line up to
// date; safe to call from every conversion thread.
class Progress {
 public:
  Progress(Console& console, std::size_t total);

  void Started(const std::string& name);
  void Finished();

 private:
  void ShowLocked(bool force);

  std::mutex mutex_;
  Console& console_;
  std::size_t total_;
  std::size_t done_ = 0;
  std::string current_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point last_shown_;
};

}  // namespace korvanta::cli
