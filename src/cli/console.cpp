#include "cli/console.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace korvanta::cli {
namespace {

constexpr std::size_t kDefaultWidth = 80;
constexpr std::string_view kEraseLine = "\r\x1b[K";

// The first `width` characters of UTF-8 text, counting each code point as one column.
std::string CutToWidth(const std::string& text, std::size_t width) {
  std::size_t columns = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool starts_character = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (starts_character && ++columns > width) return text.substr(0, i);
  }
  return text;
}

}  // namespace

Console::Console(std::ostream& err, bool live, std::size_t width)
    : err_(err), live_(live), width_(width == 0 ? kDefaultWidth : width) {}

Console Console::ForStandardError(std::ostream& err) {
  const char* term = std::getenv("TERM");
  const bool dumb = term != nullptr && std::string_view(term) == "dumb";
#if defined(_WIN32)
  const bool terminal = _isatty(_fileno(stderr)) != 0;
  std::size_t width = 0;
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) {
    width = static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
  }
#else
  const bool terminal = ::isatty(STDERR_FILENO) == 1;
  std::size_t width = 0;
  winsize size{};
  if (terminal && ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0) width = size.ws_col;
#endif
  return Console(err, terminal && !dumb, width);
}

void Console::Line(const std::string& text) {
  const std::lock_guard lock(mutex_);
  EraseStatusLocked();
  err_ << text << '\n';
  DrawStatusLocked();
  err_.flush();
}

void Console::Status(const std::string& text) {
  if (!live_) return;
  const std::lock_guard lock(mutex_);
  // The last column stays free: writing into it makes some terminals wrap.
  status_ = CutToWidth(text, width_ - 1);
  err_ << kEraseLine;
  DrawStatusLocked();
  err_.flush();
}

void Console::ClearStatus() {
  const std::lock_guard lock(mutex_);
  EraseStatusLocked();
  status_.clear();
  err_.flush();
}

void Console::EraseStatusLocked() {
  if (live_ && !status_.empty()) err_ << kEraseLine;
}

void Console::DrawStatusLocked() {
  if (live_) err_ << status_;
}

}  // namespace korvanta::cli
