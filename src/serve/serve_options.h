// What `korvanta serve` is asked to do: where it listens, its templates and the limits every
// request is held to.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace korvanta::serve {

struct ServeOptions {
  std::string host = "127.0.0.1";
  int port = 8080;
  std::optional<std::string> template_dir;  // the server's own folder; clients never send one
  std::optional<int> jobs;                  // conversions at once; the processors when not given
  std::size_t max_body_bytes = 32u << 20;   // a whole request body
  int max_files = 20;                       // files in one request
  int request_seconds = 60;                 // receiving one request, start to end
  int idle_seconds = 10;                    // a client that sends nothing for this long
};

}  // namespace korvanta::serve
