#include "serve/host_check.h"

#include <arpa/inet.h>

#include <string>

namespace korvanta::serve {

bool IsLoopbackHost(std::string_view listen_host) {
  const std::string host(listen_host);
  if (host == "localhost" || host == "::1" || host == "[::1]") return true;
  in_addr address{};
  return inet_pton(AF_INET, host.c_str(), &address) == 1 && (ntohl(address.s_addr) >> 24) == 127;
}

bool IsLoopbackHostHeader(std::string_view host_header, int port) {
  std::string_view name = host_header;
  if (name.starts_with('[')) {
    const auto close = name.find(']');
    if (close == std::string_view::npos) return false;
    const std::string_view rest = name.substr(close + 1);
    if (!rest.empty() && rest != ":" + std::to_string(port)) return false;
    name = name.substr(0, close + 1);
  } else if (const auto colon = name.rfind(':'); colon != std::string_view::npos) {
    if (name.substr(colon + 1) != std::to_string(port)) return false;
    name = name.substr(0, colon);
  }
  // A rebinding page's own name never reads as a loopback address or "localhost".
  if (name == "localhost" || name == "[::1]") return true;
  if (name.find_first_not_of("0123456789.") != std::string_view::npos) return false;
  return IsLoopbackHost(name);
}

}  // namespace korvanta::serve
