#include "driver/path_rules.h"

#include <algorithm>

namespace korvanta {

std::optional<std::string> LowerCaseExtension(std::string_view path) {
  const auto dot = path.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  std::string extension(path.substr(dot + 1));
  // ASCII only: the user's locale must not change which type a file is.
  std::transform(extension.begin(), extension.end(), extension.begin(), [](char ch) {
    return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
  });
  return extension;
}

std::string WithXlsxExtension(std::string path) {
  const auto extension = LowerCaseExtension(path);
  if (!extension || *extension != "xlsx") path += ".xlsx";
  return path;
}

std::string AsmDocumentPath(std::string report_path) {
  std::string path = WithXlsxExtension(std::move(report_path));
  path.replace(path.size() - std::string_view(".xlsx").size(), std::string::npos, ".json");
  return path;
}

}  // namespace korvanta
