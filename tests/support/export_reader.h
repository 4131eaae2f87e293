// An export file over a test's text that collects the warnings its reads give.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/export_file.h"

namespace korvanta::test {

struct ExportReader {
  ExportReader(std::string_view text, std::string name,
               std::optional<FieldLimit> field_limit = std::nullopt)
      : file(
            text, std::move(name), [this](const std::string& w) { warnings.push_back(w); },
            field_limit) {}
  std::vector<std::string> warnings;
  ExportFile file;
};

}  // namespace korvanta::test
