// The Host header check that keeps a web page on another site from reaching a server on
// loopback through a name of its own that resolves to 127.0.0.1 (DNS rebinding).
#pragma once

#include <string_view>

namespace korvanta::serve {

// 127.0.0.0/8, ::1 and "localhost".
bool IsLoopbackHost(std::string_view listen_host);

// Whether a request with this Host header may be served by a server listening on loopback at
// `port`: only the loopback names themselves, with the port or without.
bool IsLoopbackHostHeader(std::string_view host_header, int port);

}  // namespace korvanta::serve
