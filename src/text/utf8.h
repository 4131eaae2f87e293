// UTF-8 decoding and encoding, one character at a time: the one decoder the engine, the sheet
// names and the export text reader share.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvanta::text {

// The length of the UTF-8 sequence at `text[i]` with its code point in `code_point`; 0 when the
// sequence is not valid (cut short, overlong, a surrogate or past U+10FFFF).
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& code_point);

void AppendUtf8(std::string& out, char32_t code_point);

}  // namespace korvanta::text
