#include "cli/progress.h"

namespace korvanta::cli {
namespace {

using Clock = std::chrono::steady_clock;

// A terminal redrawn more often than this only flickers.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

}  // namespace

std::string TimeLeftText(Clock::duration left) {
  using std::chrono::duration_cast;
  const long long seconds = duration_cast<std::chrono::seconds>(left).count();
  const long long rounded = seconds < 1 ? 1 : seconds;
  if (rounded < 60) return "about " + std::to_string(rounded) + " s left";
  const long long minutes = (rounded + 30) / 60;
  if (minutes < 60) return "about " + std::to_string(minutes) + " min left";
  return "about " + std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) +
         " min left";
}

std::string ProgressText(std::size_t done, std::size_t total, const std::string& current,
                         Clock::duration elapsed) {
  std::string text = std::to_string(done) + "/" + std::to_string(total);
  if (!current.empty()) text += "  " + current;
  if (done > 0 && done < total) {
    const auto per_input = elapsed / static_cast<Clock::rep>(done);
    text += "  " + TimeLeftText(per_input * static_cast<Clock::rep>(total - done));
  }
  return text;
}

Progress::Progress(Console& console, std::size_t total)
    : console_(console), total_(total), start_(Clock::now()) {}

void Progress::Started(const std::string& name) {
  const std::lock_guard lock(mutex_);
  current_ = name;
  ShowLocked(done_ == 0);
}

void Progress::Finished() {
  const std::lock_guard lock(mutex_);
  ++done_;
  ShowLocked(done_ == total_);
}

void Progress::ShowLocked(bool force) {
  if (!console_.live()) return;
  const Clock::time_point now = Clock::now();
  if (!force && now - last_shown_ < kRedrawInterval) return;
  last_shown_ = now;
  console_.Status(ProgressText(done_, total_, current_, now - start_));
}

}  // namespace korvanta::cli
