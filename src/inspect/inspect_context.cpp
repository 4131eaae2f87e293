#include "inspect/inspect_context.h"

#include <algorithm>

namespace korvanta {

InspectionContext::InspectionContext(FileInspection& inspection) : inspection_(inspection) {}

WarningSink InspectionContext::Warnings() {
  return [this](const std::string& text) { Warn(text); };
}

FieldSink InspectionContext::FieldLines() {
  return
      [this](std::string_view field, int line) { field_lines_.emplace(std::string(field), line); };
}

void InspectionContext::Warn(const std::string& text) {
  // A warning is told once, as a conversion tells it.
  auto& warnings = inspection_.summary.warnings;
  if (std::find(warnings.begin(), warnings.end(), text) == warnings.end()) {
    warnings.push_back(text);
  }
}

std::optional<std::string> InspectionContext::Decode(std::string_view field, const std::string& raw,
                                                     std::optional<std::string_view> meaning,
                                                     std::string_view consequence) {
  const auto line = field_lines_.find(field);
  if (line == field_lines_.end()) return std::nullopt;
  if (meaning) return std::string(*meaning);
  inspection_.code_warnings.push_back(
      inspection_.file_name + ", line " + std::to_string(line->second) + ": " + std::string(field) +
      " code " + raw + " is not known; " + std::string(consequence));
  return std::nullopt;
}

void InspectionContext::Setting(std::string name, std::optional<std::string> value) {
  inspection_.settings.push_back({std::move(name), std::move(value)});
}

void InspectionContext::TextSetting(std::string name, const std::string& value) {
  Setting(std::move(name), value.empty() ? std::nullopt : std::optional<std::string>(value));
}

void InspectionContext::Record(InspectedRecord record) {
  if (inspection_.first_records.size() >= kInspectedRecords) return;
  // A value the file ended before is unknown, not an empty text.
  for (InspectedField& field : record) {
    if (field.value && field.value->empty()) field.value.reset();
  }
  inspection_.first_records.push_back(std::move(record));
}

}  // namespace korvanta
