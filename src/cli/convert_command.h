// `korvanta convert`: every input converted in turn into its report.
#pragma once

#include <ostream>

#include "cli/cli_options.h"

namespace korvanta::cli {

// Exit status: 0 when every input was converted, 1 when any failed. Throws UsageError.
int RunConvert(const ConvertOptions& options, std::ostream& err);

}  // namespace korvanta::cli
