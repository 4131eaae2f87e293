// `korvanta templates`: the twelve templates, the reports laid out on each and the file a
// conversion uses now; with --copy, the installed ones copied into the user's own folder.
#pragma once

#include <ostream>

#include "cli/cli_options.h"

namespace korvanta::cli {

// The list (or, with --copy, the user's template folder) goes to `out`, problems to `err`.
// Exit status: 0; 1 when a template is missing or the copy failed.
int RunTemplates(const TemplatesOptions& options, std::ostream& out, std::ostream& err);

}  // namespace korvanta::cli
