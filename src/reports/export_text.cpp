#include "reports/export_text.h"

#include <array>
#include <cstdint>

namespace korvanta {
namespace {

// Windows-1252 0x80..0x9F; the five unassigned bytes map to the C1 control of the same value,
// as Windows converts them.
constexpr std::array<char32_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::uint8_t Byte(std::string_view text, std::size_t i) {
  return static_cast<std::uint8_t>(text[i]);
}

bool IsContinuationByte(std::uint8_t byte) { return (byte & 0xC0) == 0x80; }

// A C0 or C1 control character or DEL starts at `i` of valid UTF-8 text.
bool IsControlAt(std::string_view text, std::size_t i) {
  const std::uint8_t byte = Byte(text, i);
  if (byte < 0x20 || byte == 0x7F) return true;
  // U+0080 to U+009F are C2 80 to C2 9F.
  return byte == 0xC2 && i + 1 < text.size() && Byte(text, i + 1) <= 0x9F;
}

// Length of the UTF-8 sequence starting at `i`, or 0 when it is not a valid one (overlong
// forms, surrogates and code points past U+10FFFF are invalid).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const std::uint8_t lead = Byte(text, i);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  std::uint8_t low = 0x80;
  std::uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  const std::uint8_t second = Byte(text, i + 1);
  if (second < low || second > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if ((Byte(text, i + k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
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
      AppendUtf8(out, kWindows1252High[byte - 0x80]);
    } else {
      AppendUtf8(out, byte);
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
    if (!IsContinuationByte(static_cast<std::uint8_t>(ch))) ++count;
  }
  return count;
}

std::string QuotedExcerpt(std::string_view text) {
  constexpr std::size_t kShownCharacters = 40;
  std::size_t end = 0;
  for (std::size_t shown = 0;
       shown < kShownCharacters && end < text.size() && !IsControlAt(text, end); ++shown) {
    ++end;
    while (end < text.size() && IsContinuationByte(Byte(text, end))) ++end;
  }
  std::string quoted = "\"" + std::string(text.substr(0, end));
  if (end < text.size()) quoted += "...";
  return quoted + "\"";
}

}  // namespace korvanta
