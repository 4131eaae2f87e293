// The twelve template workbooks and the reports laid out on each.
#pragma once

#include <span>
#include <string_view>

namespace korvanta {

struct TemplateFile {
  std::string_view name;     // "brad.xlsx"
  std::string_view reports;  // "Protein standard curve, Protein K factor"
};

// In the order of the data types that use them.
std::span<const TemplateFile> TemplateFiles();

}  // namespace korvanta
