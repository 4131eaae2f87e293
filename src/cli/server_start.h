// `korvanta serve`: the service's own program (korvanta-serve) started in the command's place.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace korvanta::cli {

// Replaces the running command with korvanta-serve beside it (the build tree) or in its
// installed place, given `args` (the command line without the program name, "serve" first).
// Returns only when it cannot be started: 1, with the reason on `err`.
int StartServer(const std::vector<std::string>& args, std::ostream& err);

}  // namespace korvanta::cli
