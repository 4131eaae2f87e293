#include "robustness/conversion_outcome.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>
#include <system_error>

#include "support/files.h"
#include "support/paths.h"
#include "support/test_host.h"

extern char** environ;

namespace korvanta::test {

Outcome ConvertWithHost(const std::filesystem::path& folder, const std::filesystem::path& input,
                        const std::filesystem::path& template_dir) {
  const std::filesystem::path report = folder / "report.xlsx";
  WriteFile(report, kEarlierReport);
  RecordingHost host;
  const ConversionRun run = ConvertFile(input, report, host, template_dir);

  Outcome outcome;
  outcome.status = run.status;
  outcome.messages = host.messages;
  outcome.warnings = host.warnings;
  outcome.statuses = host.statuses;
  outcome.report = ReadFile(report);
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path() != report && entry.path() != input) {
      outcome.stray_files.push_back(entry.path().filename().string());
    }
  }
  return outcome;
}

CommandResult RunKorvanta(const std::vector<std::string>& arguments,
                          const std::filesystem::path& stdout_file) {
  const std::string program = (BinDir() / "korvanta").string();
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) throw std::system_error(errno, std::generic_category(), "pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (stdout_file.empty()) {
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdout_file.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
  }
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);
  pid_t child = 0;
  const int spawned =
      ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_ends[1]);
  if (spawned != 0) {
    ::close(pipe_ends[0]);
    throw std::system_error(spawned, std::generic_category(), "posix_spawn " + program);
  }

  std::string output;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(pipe_ends[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    output.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(pipe_ends[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }

  CommandResult result;
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) result.lines.push_back(line);
  return result;
}

}  // namespace korvanta::test
