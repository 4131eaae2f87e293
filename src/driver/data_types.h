// The eight data types: their buttons, extensions and file filters. Their report variants are
// the registry's rows (report_registry.h).
#pragma once

#include <span>
#include <string_view>

namespace korvanta {

struct DataType {
  int button_id;                 // 1000 .. 1007
  std::string_view button_text;  // "Protein"
  std::string_view extension;    // "pro", compared after lower-casing
  std::string_view filter;       // "Protein (*.pro) | *.pro"
  // The output path is asked before the file is read, as the instrument software does.
  bool asks_before_reading = false;
};

// In button order.
std::span<const DataType> DataTypes();
const DataType* FindDataTypeByExtension(std::string_view lower_case_extension);
const DataType* FindDataTypeByButton(int button_id);

}  // namespace korvanta
