// What an ASM document tells about where its data come from, besides the readings.
#pragma once

#include <string>
#include <vector>

namespace korvanta {

struct AsmSource {
  std::string file_name;         // the export file's name alone
  std::string path;              // the export file's full path
  std::string measurement_time;  // RFC 3339 with the UTC offset
  std::string experiment;        // the report variant: "DNA/RNA", "Protein UV"
  // The SHA-1 of the file's bytes: identifiers are unique across files, equal for equal bytes.
  std::string content_digest;
  std::string measurement_time_origin;  // where the measurement time comes from, in words
  std::vector<std::string> warnings;    // what reading the file warned about
};

}  // namespace korvanta
