#include "cli/report_opener.h"

#include <thread>

#if defined(_WIN32)
#include <shellapi.h>
#include <windows.h>

#include <filesystem>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <system_error>

extern char** environ;
#endif

namespace korvanta::cli {

#if defined(_WIN32)

std::optional<std::string> ReportOpener::Open(const std::string& report) {
  const std::wstring path = std::filesystem::path(report).wstring();
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return std::nullopt;
  return "the spreadsheet application could not be started (error " + std::to_string(result) + ")";
}

std::vector<ReportOpener::Problem> ReportOpener::Settle(std::chrono::milliseconds) { return {}; }

#else

namespace {

#if defined(__APPLE__)
constexpr const char* kOpener = "open";
#else
constexpr const char* kOpener = "xdg-open";
#endif

}  // namespace

std::optional<std::string> ReportOpener::Open(const std::string& report) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  // Nothing of the opener reaches stdout, which may carry the JSON summary; its own session
  // keeps it running when the terminal goes.
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
#if defined(POSIX_SPAWN_SETSID)
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
#endif
  std::string program = kOpener;
  std::string argument = report;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t process = 0;
  const int error = posix_spawnp(&process, kOpener, &actions, &attributes, argv, environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    return std::string(kOpener) +
           " could not be started: " + std::generic_category().message(error);
  }
  const std::lock_guard lock(mutex_);
  launched_.push_back({report, process});
  return std::nullopt;
}

std::vector<ReportOpener::Problem> ReportOpener::Settle(std::chrono::milliseconds patience) {
  const std::lock_guard lock(mutex_);
  std::vector<Problem> problems;
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (auto it = launched_.begin(); it != launched_.end();) {
    int status = 0;
    const auto process = static_cast<pid_t>(it->process);
    pid_t ended = ::waitpid(process, &status, WNOHANG);
    while (ended == 0 && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      ended = ::waitpid(process, &status, WNOHANG);
    }
    if (ended == 0) {
      ++it;
      continue;
    }
    if (ended == process && WIFEXITED(status) && WEXITSTATUS(status) != 0) {
      problems.push_back({it->report, std::string(kOpener) + " ended with status " +
                                          std::to_string(WEXITSTATUS(status))});
    } else if (ended == process && WIFSIGNALED(status)) {
      problems.push_back({it->report, std::string(kOpener) + " was stopped by signal " +
                                          std::to_string(WTERMSIG(status))});
    }
    it = launched_.erase(it);
  }
  return problems;
}

#endif

}  // namespace korvanta::cli
