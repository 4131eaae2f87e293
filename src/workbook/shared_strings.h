// The workbook's shared string table. Entries other sheets use keep their indices and their
// rich text; new texts are appended once each.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "workbook/package.h"

namespace korvanta::workbook {

class SharedStrings {
 public:
  // Reads the table the workbook part points to; `part_name` empty when it has none yet.
  void Load(Package& package, std::string workbook_part, std::string part_name);

  // The plain text of an entry (runs joined, phonetic hints left out); empty when unknown.
  const std::string& Text(std::size_t index) const;
  // The index of an entry holding exactly `text` as plain text, appending one when needed.
  // `text` must already be XML-safe.
  std::uint32_t Add(std::string_view text);

 private:
  pugi::xml_node Table();

  Package* package_ = nullptr;
  std::string workbook_part_;
  std::string part_name_;
  std::vector<std::string> texts_;
  std::unordered_map<std::string, std::uint32_t> plain_index_;
};

// The spreadsheet's escape for characters in strings: "_x000D_" is a carriage return, and a
// literal "_x0041_" is written "_x005F_x0041_".
std::string EscapeStringItem(std::string_view text);
std::string UnescapeStringItem(std::string_view text);

// The plain text of a string item (<si> or <is>): its runs joined, phonetic hints left out.
std::string StringItemText(pugi::xml_node item);

}  // namespace korvanta::workbook
