// Hands finished reports to the user's spreadsheet application: xdg-open on Linux, open on
// macOS, the shell's "open" verb on Windows.
#pragma once

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace korvanta::cli {

class ReportOpener {
 public:
  struct Problem {
    std::string report;
    std::string text;
  };

  // Starts the opener for `report` without waiting for it; the reason when it cannot start.
  // Safe to call from several threads.
  std::optional<std::string> Open(const std::string& report);

  // Waits up to `patience` for the openers started so far and tells which of them ended in a
  // failure. Openers still running then are left to run: they may be the application itself.
  std::vector<Problem> Settle(std::chrono::milliseconds patience);

 private:
  struct Launched {
    std::string report;
    long long process;
  };

  std::mutex mutex_;
  std::vector<Launched> launched_;
};

}  // namespace korvanta::cli
