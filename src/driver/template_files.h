// The template workbooks and the reports laid out on each, gathered from the registry's rows.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace korvanta {

struct TemplateFile {
  std::string_view name;  // "brad.xlsx"
  std::string reports;    // "Protein standard curve, Protein K factor"
};

// Each template once, in the order of the data types that use them.
std::span<const TemplateFile> TemplateFiles();

}  // namespace korvanta
