#include "workbook/document_type.h"

#include <string>

namespace korvanta::workbook {
namespace {

// The prolog's markup is ASCII: UTF-16 text is narrowed to one byte per code unit, any
// code unit above ASCII becoming a byte that matches no markup.
std::string NarrowedUtf16(std::string_view bytes, bool big_endian) {
  std::string narrow;
  narrow.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto high = static_cast<unsigned char>(bytes[big_endian ? i : i + 1]);
    const char low = bytes[big_endian ? i + 1 : i];
    narrow += high == 0 && static_cast<unsigned char>(low) < 0x80 ? low : '\x80';
  }
  return narrow;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Past the declaration, processing instructions, comments and blanks that may precede a
// document type declaration.
std::size_t SkipMisc(std::string_view text, std::size_t at) {
  while (at < text.size()) {
    if (IsBlank(text[at])) {
      ++at;
      continue;
    }
    const std::string_view rest = text.substr(at);
    const std::string_view close = rest.starts_with("<?")     ? "?>"
                                   : rest.starts_with("<!--") ? "-->"
                                                              : std::string_view{};
    if (close.empty()) return at;
    const std::size_t end = text.find(close, at + 2);
    if (end == std::string_view::npos) return text.size();
    at = end + close.size();
  }
  return at;
}

bool PrologDeclaresDocumentType(std::string_view text) {
  const std::string_view rest = text.substr(SkipMisc(text, 0));
  constexpr std::string_view kDoctype = "<!DOCTYPE";
  if (rest.size() < kDoctype.size()) return false;
  for (std::size_t i = 0; i < kDoctype.size(); ++i) {
    const char c = rest[i];
    if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != kDoctype[i]) return false;
  }
  return true;
}

}  // namespace

bool DeclaresDocumentType(std::string_view bytes) {
  const auto starts = [&](std::string_view prefix) { return bytes.starts_with(prefix); };
  if (starts("\xFF\xFE")) return PrologDeclaresDocumentType(NarrowedUtf16(bytes.substr(2), false));
  if (starts("\xFE\xFF")) return PrologDeclaresDocumentType(NarrowedUtf16(bytes.substr(2), true));
  if (starts(std::string_view("<\0", 2)))
    return PrologDeclaresDocumentType(NarrowedUtf16(bytes, false));
  if (starts(std::string_view("\0<", 2)))
    return PrologDeclaresDocumentType(NarrowedUtf16(bytes, true));
  if (starts("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  return PrologDeclaresDocumentType(bytes);
}

}  // namespace korvanta::workbook
