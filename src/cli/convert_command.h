// `korvanta convert`: every input converted into its report, several at once.
#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "cli/console.h"

namespace korvanta::cli {

// Messages, the status line and the closing count go to `console`; the JSON summary (--json)
// to `out`. Exit status: 0 when every input was converted, 1 when any failed. Throws
// UsageError.
int RunConvert(const ConvertOptions& options, std::ostream& out, Console& console);

}  // namespace korvanta::cli
