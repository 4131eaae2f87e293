// TCP_NODELAY on a request's own connection, which the library sets only on the socket it
// listens on: an answer goes out as headers and then body, and with Nagle's algorithm the
// body waited for the client's delayed acknowledgement of the headers, 40 ms on Linux.
#pragma once

#include <string>

namespace korvanta::serve {

// Finds the connected socket whose peer is `address`:`port` among the process's descriptors
// and turns Nagle's algorithm off on it; nothing when there is none.
void AnswerWithoutDelay(const std::string& address, int port);

}  // namespace korvanta::serve
