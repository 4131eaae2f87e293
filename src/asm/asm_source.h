// What an ASM document tells about where its data come from, besides the readings.
#pragma once

#include <string>

namespace korvanta {

struct AsmSource {
  std::string file_name;         // the export file's name alone
  std::string path;              // the export file's path as given
  std::string measurement_time;  // RFC 3339 with the UTC offset
  std::string experiment;        // the report variant: "DNA/RNA", "Protein UV"
};

}  // namespace korvanta
