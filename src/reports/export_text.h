// Turning the bytes of an export file into text a workbook can hold.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvanta {

// UTF-8 with LF line ends: CR LF and a lone CR become LF, a leading UTF-8 byte-order mark is
// dropped, and bytes that are not valid UTF-8 are taken as Windows-1252 (the code page of the
// instrument's PC) and converted. Every other character, control characters included, is kept
// so that white space separates fields exactly as it does in the file.
std::string DecodeExportText(std::string_view bytes);

// `text` (valid UTF-8) without the characters a workbook cell cannot hold: control characters
// other than tab and line feed, U+FFFE and U+FFFF.
std::string DropUnholdableCharacters(std::string_view text);

// Characters (code points) in valid UTF-8 text.
std::size_t CountCharacters(std::string_view text);

}  // namespace korvanta
