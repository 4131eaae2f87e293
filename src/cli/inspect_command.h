// `korvanta inspect`: what an export file holds, shown without converting it.
#pragma once

#include <ostream>

#include "cli/cli_options.h"

namespace korvanta::cli {

// The inspection goes to `out` as text or JSON; with text, the reason a file cannot be
// converted also goes to `err`. Exit status: 0 when the file can be converted, 1 when not.
int RunInspect(const InspectOptions& options, std::ostream& out, std::ostream& err);

}  // namespace korvanta::cli
