#include "workbook/sheet_names.h"

#include <cstddef>

#include "text/utf8.h"

namespace korvanta::workbook {
namespace {

// A byte that starts no valid UTF-8 sequence, kept apart from every real character so that
// malformed names still compare byte for byte.
char32_t StrayByte(unsigned char byte) { return 0x110000 + byte; }

// Decodes one UTF-8 sequence at `i`; a byte that starts none is read alone as a stray byte.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  char32_t code = 0;
  const std::size_t length = text::DecodeUtf8(text, i, code);
  if (length == 0) return StrayByte(static_cast<unsigned char>(text[i++]));
  i += length;
  return code;
}

char32_t FoldCase(char32_t c) {
  const bool ascii = c >= U'A' && c <= U'Z';
  const bool latin1 = c >= 0xC0 && c <= 0xDE && c != 0xD7;
  const bool greek = c >= 0x391 && c <= 0x3AB && c != 0x3A2;
  const bool cyrillic = c >= 0x410 && c <= 0x42F;
  if (ascii || latin1 || greek || cyrillic) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  // Latin Extended-A pairs an upper-case letter with the next code point.
  if (c >= 0x100 && c <= 0x137 && c % 2 == 0) return c + 1;
  if (c >= 0x139 && c <= 0x148 && c % 2 == 1) return c + 1;
  if (c >= 0x14A && c <= 0x177 && c % 2 == 0) return c + 1;
  if (c >= 0x179 && c <= 0x17E && c % 2 == 1) return c + 1;
  if (c == 0x178) return 0xFF;
  return c;
}

}  // namespace

bool SameSheetName(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (FoldCase(NextCodePoint(a, i)) != FoldCase(NextCodePoint(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

}  // namespace korvanta::workbook
