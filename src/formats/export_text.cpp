#include "formats/export_text.h"

#include <array>
#include <cstdint>

#include "text/utf8.h"

namespace korvanta {
namespace {

// Windows-1252 0x80..0x9F; the five unassigned bytes map to the C1 control of the same value,
// as Windows converts them.
constexpr std::array<char32_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::uint8_t Byte(std::string_view text, std::size_t i) {
  return static_cast<std::uint8_t>(text[i]);
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    char32_t code_point = 0;
    const std::size_t length = text::DecodeUtf8(text, i, code_point);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::uint8_t byte = Byte(bytes, i);
    if (byte >= 0x80 && byte <= 0x9F) {
      text::AppendUtf8(out, kWindows1252High[byte - 0x80]);
    } else {
      text::AppendUtf8(out, byte);
    }
  }
  return out;
}

std::string NormaliseLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

bool IsWhiteSpace(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

std::string DecodeExportText(std::string_view bytes) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    bytes.remove_prefix(kByteOrderMark.size());
  }
  if (IsValidUtf8(bytes)) return NormaliseLineEnds(bytes);
  return NormaliseLineEnds(Windows1252ToUtf8(bytes));
}

std::string DropUnholdableCharacters(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::uint8_t byte = Byte(text, i);
    if (byte < 0x20 && byte != '\t' && byte != '\n') continue;
    // U+FFFE and U+FFFF are EF BF BE and EF BF BF.
    if (byte == 0xEF && i + 2 < text.size() && Byte(text, i + 1) == 0xBF &&
        Byte(text, i + 2) >= 0xBE) {
      i += 2;
      continue;
    }
    out += static_cast<char>(byte);
  }
  return out;
}

std::size_t CountCharacters(std::string_view text) {
  std::size_t count = 0;
  for (const char ch : text) {
    if ((static_cast<std::uint8_t>(ch) & 0xC0) != 0x80) ++count;
  }
  return count;
}

std::string QuotedExcerpt(std::string_view text) {
  constexpr std::size_t kShownCharacters = 40;
  std::size_t end = 0;
  for (std::size_t shown = 0; shown < kShownCharacters && end < text.size(); ++shown) {
    char32_t code_point = 0;
    const std::size_t length = text::DecodeUtf8(text, end, code_point);
    // C0 and C1 controls and DEL end the excerpt; so would a byte that is not UTF-8.
    const bool control = code_point < 0x20 || (code_point >= 0x7F && code_point <= 0x9F);
    if (length == 0 || control) break;
    end += length;
  }
  std::string quoted = "\"" + std::string(text.substr(0, end));
  if (end < text.size()) quoted += "...";
  return quoted + "\"";
}

}  // namespace korvanta
