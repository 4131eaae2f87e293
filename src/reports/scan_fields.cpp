#include "reports/scan_fields.h"

#include <cstddef>

namespace korvanta {

std::vector<std::string> ReadScanReadings(ExportFile& file, std::string_view count_field,
                                          std::string_view reading_field, int max_points) {
  const int count = file.ReadCount(count_field, max_points);
  std::vector<std::string> readings;
  readings.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) readings.push_back(file.ReadToken(reading_field));
  return readings;
}

}  // namespace korvanta
