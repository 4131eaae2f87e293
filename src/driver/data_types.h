// The eight data types: their buttons, extensions, default templates and report writers.
#pragma once

#include <span>
#include <string_view>

namespace korvanta {

class Conversion;
using ReportWriter = void (*)(Conversion&);

struct DataType {
  int button_id;                      // 1000 .. 1007
  std::string_view button_text;       // "Protein"
  std::string_view extension;         // "pro", compared after lower-casing
  std::string_view default_template;  // "brad.xlsx"
  std::string_view filter;            // "Protein (*.pro) | *.pro"
  ReportWriter writer;
};

// In button order.
std::span<const DataType> DataTypes();
const DataType* FindDataTypeByExtension(std::string_view lower_case_extension);
const DataType* FindDataTypeByButton(int button_id);

}  // namespace korvanta
