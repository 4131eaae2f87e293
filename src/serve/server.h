// `korvanta serve`: the converter as an HTTP service, with its page, until SIGTERM or SIGINT.
#pragma once

#include <ostream>

#include "serve/serve_options.h"

namespace korvanta::serve {

// Serves until SIGTERM or SIGINT; the requests in flight are answered before it returns 0.
// 1 when the address cannot be listened on. Lines about the service go to `out`, problems to
// `err`.
int RunServer(const ServeOptions& options, std::ostream& out, std::ostream& err);

}  // namespace korvanta::serve
