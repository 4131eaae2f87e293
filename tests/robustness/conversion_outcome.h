// One conversion of a bad input, run the way the user runs it, and everything it left behind:
// what the user was told, the report file, and any other file in the output folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "driver/conversion.h"

namespace korvanta::test {

// The content of the report that stands at the output path before each conversion.
inline constexpr std::string_view kEarlierReport = "the report of an earlier conversion";

struct Outcome {
  ConversionStatus status = ConversionStatus::kFailed;
  std::vector<std::string> messages;
  std::vector<std::string> warnings;
  std::vector<std::string> statuses;
  std::string report;                    // the bytes at the output path afterwards
  std::vector<std::string> stray_files;  // in the output folder, besides the input and report
};

// Converts `input` (inside `folder`) to folder/report.xlsx, which holds kEarlierReport
// before, replacing it with the user's consent as the save dialog gives it.
Outcome ConvertWithHost(const std::filesystem::path& folder, const std::filesystem::path& input,
                        const std::filesystem::path& template_dir);

struct CommandResult {
  int exit_status = -1;
  std::vector<std::string> lines;  // what the command wrote to stderr (and stdout)
};

// Runs build/bin/korvanta with these arguments (no shell between). Its standard output goes
// to `stdout_file` when one is given.
CommandResult RunKorvanta(const std::vector<std::string>& arguments,
                          const std::filesystem::path& stdout_file = {});

}  // namespace korvanta::test
