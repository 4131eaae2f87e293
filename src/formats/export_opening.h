// The three fields every export file opens with. They tell a data type's report variants apart,
// so they are read once, before the variant is known, and each reader goes on from there.
#pragma once

#include <cstdint>
#include <string>

namespace korvanta {

class ExportFile;

struct Opening {
  std::int32_t method_type = 0;
  std::int32_t measurement_type = 0;
  std::string method_str;  // the whole line, as read

  // method_str's leading number; 0 when there is none.
  std::int32_t MethodCode() const;
};

// method_type, measurement_type and method_str, from the start of `file`.
Opening ReadOpening(ExportFile& file);

}  // namespace korvanta
