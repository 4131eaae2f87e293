// Recognises compound files by their signature and tells an encrypted package from an
// Excel 97-2003 workbook by the streams their directory names.
#include "workbook/compound_file.h"

#include <string>

namespace korvanta::workbook {
namespace {

constexpr std::string_view kSignature{"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8};

// Directory entries store their names in UTF-16LE.
std::string Utf16Le(std::string_view ascii) {
  std::string wide;
  for (const char c : ascii) {
    wide.push_back(c);
    wide.push_back('\0');
  }
  return wide;
}

}  // namespace

std::optional<CompoundWorkbook> RecogniseCompoundWorkbook(std::string_view bytes) {
  if (!bytes.starts_with(kSignature)) return std::nullopt;
  // Office keeps a password-protected package in the stream "EncryptedPackage"; any other
  // compound file given as a workbook is taken for the older binary format.
  if (bytes.find(Utf16Le("EncryptedPackage")) != std::string_view::npos) {
    return CompoundWorkbook::kPasswordProtected;
  }
  return CompoundWorkbook::kExcel97To2003;
}

}  // namespace korvanta::workbook
