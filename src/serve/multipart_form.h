// multipart/form-data (RFC 7578) taken apart: the body is read whole first, so that the time
// and size limits hold for every byte a client sends, and then split here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta::serve {

struct FormPart {
  std::string name;      // the field
  std::string filename;  // as sent; empty when the part is no file
  std::string_view data;
};

// The boundary parameter of a multipart/form-data Content-Type; nothing when there is none.
std::optional<std::string> MultipartBoundary(std::string_view content_type);

// The parts of `body` in order, viewing into it; nothing when the body is not well formed
// (no closing delimiter, a part without headers or without a field name).
std::optional<std::vector<FormPart>> ParseMultipart(std::string_view body,
                                                    std::string_view boundary);

}  // namespace korvanta::serve
