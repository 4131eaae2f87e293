// The reading side of an inspection: the reader's warnings gathered once each and the lines
// the file's fields stand on, for the description to name.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "formats/export_file.h"
#include "inspect/inspection.h"

namespace korvanta {

// What happens to a cell fed by an unknown code, as most reports handle it.
inline constexpr std::string_view kTemplateKept =
    "the report leaves its cell as the template has it.";

class InspectionContext {
 public:
  explicit InspectionContext(FileInspection& inspection);

  // Sinks for the export file: the reader's warnings, and where each field stands.
  WarningSink Warnings();
  FieldSink FieldLines();

  FileInspection& inspection() { return inspection_; }

  // The meaning of the code `raw` that `field` holds; nothing when the file ended before the
  // field. A code without meaning is noted with the field's line and what the report does
  // about it.
  std::optional<std::string> Decode(std::string_view field, const std::string& raw,
                                    std::optional<std::string_view> meaning,
                                    std::string_view consequence = kTemplateKept);
  // The same for a code read as a number (nothing when the file ended before it), looked up
  // with `lookup`.
  template <typename Lookup>
  std::optional<std::string> DecodeCode(std::string_view field,
                                        const std::optional<std::int32_t>& code, Lookup lookup,
                                        std::string_view consequence = kTemplateKept) {
    if (!code) return std::nullopt;
    const auto meaning = lookup(*code);
    return Decode(field, std::to_string(*code),
                  meaning ? std::optional<std::string_view>(*meaning) : std::nullopt, consequence);
  }

  // Whether the file holds `field` (it did not end before it).
  bool WasRead(std::string_view field) const { return field_lines_.contains(field); }

  void Setting(std::string name, std::optional<std::string> value);
  // A value read as text: empty means the file ended before it.
  void TextSetting(std::string name, const std::string& value);

  // Starts the shown records: `name` says what they are.
  void Records(std::string name) { inspection_.records_name = std::move(name); }
  // Adds a record while fewer than kInspectedRecords are shown; empty values become unknown.
  void Record(InspectedRecord record);

 private:
  void Warn(const std::string& text);

  FileInspection& inspection_;
  std::map<std::string, int, std::less<>> field_lines_;  // first line of each field read
};

}  // namespace korvanta
