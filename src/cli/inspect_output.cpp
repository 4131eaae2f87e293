#include "cli/inspect_output.h"

#include <algorithm>

namespace korvanta::cli {
namespace {

Json ValueOrNull(const std::optional<std::string>& value) {
  return value ? Json(*value) : Json(nullptr);
}

std::vector<std::string> AllWarnings(const FileInspection& inspection) {
  std::vector<std::string> warnings = inspection.summary.warnings;
  warnings.insert(warnings.end(), inspection.code_warnings.begin(), inspection.code_warnings.end());
  return warnings;
}

std::string CountsText(const ReportSummary& summary) {
  std::string text;
  const auto add = [&text](const std::optional<int>& count, const char* name) {
    if (!count) return;
    if (!text.empty()) text += ", ";
    text += std::to_string(*count) + " " + name;
  };
  add(summary.samples, "samples");
  add(summary.standards, "standards");
  add(summary.wavelengths, "wavelengths");
  add(summary.points, "points");
  return text;
}

std::size_t Width(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  }));
}

std::string Padded(const std::string& text, std::size_t width) {
  const std::size_t used = Width(text);
  return used >= width ? text : text + std::string(width - used, ' ');
}

// The records as a table: a heading of the field names, then one line per record.
std::string RecordsTable(const std::vector<InspectedRecord>& records) {
  std::vector<std::string> names;
  for (const InspectedRecord& record : records) {
    for (const InspectedField& field : record) {
      if (std::find(names.begin(), names.end(), field.name) == names.end()) {
        names.push_back(field.name);
      }
    }
  }
  std::vector<std::vector<std::string>> rows{names};
  for (const InspectedRecord& record : records) {
    std::vector<std::string> row;
    for (const std::string& name : names) {
      const auto field = std::find_if(record.begin(), record.end(),
                                      [&](const InspectedField& f) { return f.name == name; });
      row.push_back(field != record.end() && field->value ? *field->value : "-");
    }
    rows.push_back(std::move(row));
  }
  std::vector<std::size_t> widths(names.size(), 0);
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], Width(row[i]));
  }
  std::string text;
  for (const auto& row : rows) {
    std::string line = " ";
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += (i == 0 ? " " : "  ") + (i + 1 < row.size() ? Padded(row[i], widths[i]) : row[i]);
    }
    text += line + "\n";
  }
  return text;
}

}  // namespace

Json InspectionJson(const FileInspection& inspection) {
  const ReportSummary& summary = inspection.summary;
  Json document = Json::object();
  document["input"] = inspection.input;
  document["file"] = inspection.file_name;
  document["data_type"] = TextOrNull(summary.data_type);
  document["variant"] = TextOrNull(summary.variant);
  document["template"] = TextOrNull(inspection.template_name);
  document["method"] = ValueOrNull(inspection.method);
  document["sample_name"] = ValueOrNull(inspection.sample_name);
  document["counts"] = CountsJson(summary);
  Json settings = Json::object();
  for (const InspectedField& field : inspection.settings) {
    settings[field.name] = ValueOrNull(field.value);
  }
  document["settings"] = std::move(settings);
  document["records"] = TextOrNull(inspection.records_name);
  Json records = Json::array();
  for (const InspectedRecord& record : inspection.first_records) {
    Json shown = Json::object();
    for (const InspectedField& field : record) shown[field.name] = ValueOrNull(field.value);
    records.push_back(std::move(shown));
  }
  document["first_records"] = std::move(records);
  document["warnings"] = AllWarnings(inspection);
  document["error"] = TextOrNull(summary.error);
  return document;
}

std::string InspectionText(const FileInspection& inspection) {
  const ReportSummary& summary = inspection.summary;
  std::string text;
  const auto line = [&text](const char* label, const std::string& value) {
    if (!value.empty()) text += Padded(label, 13) + value + "\n";
  };
  line("File:", inspection.file_name);
  line("Data type:", summary.data_type);
  line("Variant:", summary.variant);
  line("Template:", inspection.template_name);
  line("Method:", inspection.method.value_or(""));
  line("Sample name:", inspection.sample_name.value_or(""));
  line("Counts:", CountsText(summary));
  if (!inspection.settings.empty()) {
    text += "Settings:\n";
    std::size_t width = 0;
    for (const InspectedField& field : inspection.settings) {
      width = std::max(width, Width(field.name));
    }
    for (const InspectedField& field : inspection.settings) {
      text += "  " + Padded(field.name, width + 2) + field.value.value_or("-") + "\n";
    }
  }
  if (!inspection.first_records.empty()) {
    text += "First " + inspection.records_name + ":\n" + RecordsTable(inspection.first_records);
  }
  const std::vector<std::string> warnings = AllWarnings(inspection);
  if (!warnings.empty()) {
    text += "Warnings:\n";
    for (const std::string& warning : warnings) text += "  " + warning + "\n";
  }
  if (!summary.error.empty()) text += "Error: " + summary.error + "\n";
  return text;
}

}  // namespace korvanta::cli
