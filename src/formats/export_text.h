// Turning the bytes of an export file into text a workbook can hold, and quoting that text in
// messages.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvanta {

// The white space of formatted input in the "C" locale: what separates the fields of a file.
bool IsWhiteSpace(char ch);

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

// `text` (valid UTF-8) in double quotes for a message: it ends before the first control
// character and after 40 characters, always at a character boundary, with "..." where text is
// left off, so that the message stays valid UTF-8 and readable whatever the file holds.
std::string QuotedExcerpt(std::string_view text);

}  // namespace korvanta
