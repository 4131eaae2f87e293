#include "formats/export_file_check.h"

#include <algorithm>
#include <array>
#include <string>

#include "formats/export_file.h"
#include "formats/export_text.h"
#include "formats/number_scan.h"

namespace korvanta {
namespace {

struct Signature {
  std::string_view bytes;
  std::string_view kind;
};

// Files users pick by mistake; none of them starts with a number.
constexpr std::array<Signature, 5> kBinarySignatures{{
    {"PK\x03\x04", "a zip archive, such as an Excel workbook"},
    {"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", "an OLE compound file, such as an Excel 97-2003 workbook"},
    {"%PDF", "a PDF document"},
    {"\x89PNG\r\n\x1A\n", "a PNG image"},
    {"\xFF\xD8\xFF", "a JPEG image"},
}};

// "a Photometry", "an OD600": each type name is spoken as it is spelt.
std::string WithArticle(std::string_view type_name) {
  const bool vowel =
      !type_name.empty() && std::string_view("AEIOU").find(type_name[0]) != std::string_view::npos;
  return (vowel ? "an " : "a ") + std::string(type_name);
}

// What stands where the first field was expected, for the message.
std::string Found(std::string_view line) {
  if (line.front() == '\0') return "a NUL byte";
  const std::string excerpt = QuotedExcerpt(line);
  // An excerpt that shows nothing: the line starts with a control character.
  return excerpt == "\"...\"" ? "a control character" : excerpt;
}

int LineOf(std::string_view text, std::size_t pos) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + pos, '\n'));
}

}  // namespace

void CheckIsExportFile(std::string_view bytes, std::string_view file_name,
                       std::string_view type_name) {
  const std::string text = DecodeExportText(bytes);
  const auto refuse = [&](const std::string& found) {
    throw ExportFileError(std::string(file_name) + " is not " + WithArticle(type_name) +
                          " export file: " + found + ".");
  };
  // The first field as the integer read finds it: after white space, blank lines included.
  const auto first = std::find_if_not(text.begin(), text.end(), IsWhiteSpace) - text.begin();
  const auto at = static_cast<std::size_t>(first);
  if (at == text.size()) {
    refuse(text.empty() ? "the file is empty" : "the file holds nothing but white space");
  }
  const std::string_view rest = std::string_view(text).substr(at);
  if (ScanInteger(rest).length == 0) {
    std::string found = "line " + std::to_string(LineOf(text, at)) + " holds " +
                        Found(rest.substr(0, rest.find('\n'))) + " where a number is expected";
    for (const Signature& signature : kBinarySignatures) {
      if (bytes.starts_with(signature.bytes)) {
        found += ". The file is " + std::string(signature.kind);
      }
    }
    refuse(found);
  }
  if (const auto nul = text.find('\0'); nul != std::string::npos) {
    refuse("line " + std::to_string(LineOf(text, nul)) +
           " holds a NUL byte where text is expected");
  }
}

}  // namespace korvanta
