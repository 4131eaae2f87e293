#include "serve/multipart_form.h"

#include <algorithm>
#include <cctype>

namespace korvanta::serve {
namespace {

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The value of `key` among the ";"-separated parameters of a header value: a token or a
// quoted string. Browsers send a quote in a file name as %22 and a backslash as itself (the
// HTML standard's form encoding), so a backslash escapes nothing: "C:\data\a.pht" stays whole.
std::optional<std::string> Parameter(std::string_view value, std::string_view key) {
  const auto skip_blanks = [&value](std::size_t at) {
    while (at < value.size() && (value[at] == ' ' || value[at] == '\t')) ++at;
    return at;
  };
  std::size_t at = value.find(';');
  while (at != std::string_view::npos) {
    at = skip_blanks(at + 1);
    const auto equals = value.find('=', at);
    if (equals == std::string_view::npos) return std::nullopt;
    const bool wanted = EqualsIgnoreCase(Trimmed(value.substr(at, equals - at)), key);
    at = skip_blanks(equals + 1);
    std::string text;
    if (at < value.size() && value[at] == '"') {
      for (++at; at < value.size() && value[at] != '"'; ++at) text += value[at];
      if (at >= value.size()) return std::nullopt;  // the quote never closes
      at = value.find(';', at);
    } else {
      const auto end = value.find(';', at);
      text = Trimmed(value.substr(at, end == std::string_view::npos ? end : end - at));
      at = end;
    }
    if (wanted) return text;
  }
  return std::nullopt;
}

// Fills the part's name and file name from its headers; false when it names no field.
bool ReadHeaders(std::string_view headers, FormPart& part) {
  bool named = false;
  while (!headers.empty()) {
    const auto end = headers.find("\r\n");
    const std::string_view line = headers.substr(0, end);
    headers = end == std::string_view::npos ? std::string_view() : headers.substr(end + 2);
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) return false;
    if (!EqualsIgnoreCase(Trimmed(line.substr(0, colon)), "content-disposition")) continue;
    const std::string_view value = Trimmed(line.substr(colon + 1));
    if (!EqualsIgnoreCase(Trimmed(value.substr(0, value.find(';'))), "form-data")) return false;
    const auto name = Parameter(value, "name");
    if (!name) return false;
    part.name = *name;
    part.filename = Parameter(value, "filename").value_or("");
    named = true;
  }
  return named;
}

}  // namespace

std::optional<std::string> MultipartBoundary(std::string_view content_type) {
  if (!EqualsIgnoreCase(Trimmed(content_type.substr(0, content_type.find(';'))),
                        "multipart/form-data")) {
    return std::nullopt;
  }
  auto boundary = Parameter(content_type, "boundary");
  // RFC 2046: 1 to 70 characters.
  if (!boundary || boundary->empty() || boundary->size() > 70) return std::nullopt;
  return boundary;
}

std::optional<std::vector<FormPart>> ParseMultipart(std::string_view body,
                                                    std::string_view boundary) {
  const std::string delimiter = "--" + std::string(boundary);
  // The first delimiter may follow a preamble; every later one starts a line.
  auto at = body.starts_with(delimiter) ? 0 : body.find("\r\n" + delimiter);
  if (at == std::string_view::npos) return std::nullopt;
  at += body.starts_with(delimiter) ? delimiter.size() : delimiter.size() + 2;
  const std::string next_delimiter = "\r\n" + delimiter;
  std::vector<FormPart> parts;
  while (true) {
    const std::string_view rest = body.substr(at);
    if (rest.starts_with("--")) return parts;  // the closing delimiter
    if (!rest.starts_with("\r\n")) return std::nullopt;
    const auto headers_end = rest.find("\r\n\r\n", 2);
    if (headers_end == std::string_view::npos) return std::nullopt;
    // The data start after the blank line; a delimiter's line break is never that line's.
    const auto data_end = rest.find(next_delimiter, headers_end + 4);
    if (data_end == std::string_view::npos) return std::nullopt;
    FormPart part;
    if (!ReadHeaders(rest.substr(2, headers_end - 2), part)) return std::nullopt;
    part.data = rest.substr(headers_end + 4, data_end - headers_end - 4);
    parts.push_back(std::move(part));
    at += data_end + next_delimiter.size();
  }
}

}  // namespace korvanta::serve
