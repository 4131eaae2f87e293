// The conversion time as the reports show it.
#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace korvanta {

// "%Y.%m.%d  %H:%M:%S" (two blanks between date and time): a fixed time in UTC, so that
// reproducible runs read the same everywhere, else the local time now.
std::string FormatConversionTime(std::optional<std::time_t> fixed_time);

}  // namespace korvanta
