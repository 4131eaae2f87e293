// The error stream of a run, shared by conversions in parallel: whole lines never mix, and on
// a terminal one status line stays at the bottom, rewritten in place, below the messages.
#pragma once

#include <cstddef>
#include <mutex>
#include <ostream>
#include <string>

namespace korvanta::cli {

class Console {
 public:
  // `live`: the stream is a terminal that can rewrite its last line, `width` columns wide.
  Console(std::ostream& err, bool live, std::size_t width);

  // Whether stderr is such a terminal (not TERM=dumb), and its width.
  static Console ForStandardError(std::ostream& err);

  bool live() const { return live_; }
  std::size_t width() const { return width_; }

  // A message line; the status line is taken away first and drawn again below it.
  void Line(const std::string& text);
  // Replaces the status line (cut to the width); nothing when the stream is not live.
  void Status(const std::string& text);
  // Takes the status line away for good.
  void ClearStatus();

 private:
  void EraseStatusLocked();
  void DrawStatusLocked();

  std::mutex mutex_;
  std::ostream& err_;
  bool live_;
  std::size_t width_;
  std::string status_;  // shown on the terminal's last line when not empty
};

}  // namespace korvanta::cli
