// The text of `korvanta --help`.
#pragma once

#include <string>

namespace korvanta::cli {

std::string UsageText();

}  // namespace korvanta::cli
