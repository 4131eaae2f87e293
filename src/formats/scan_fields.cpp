#include "formats/scan_fields.h"

#include <cstddef>

namespace korvanta {

std::vector<float> SteppedPositions(std::size_t count, float step, float start) {
  std::vector<float> positions;
  positions.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    positions.push_back(static_cast<float>(static_cast<int>(i)) * step + start);
  }
  return positions;
}

std::vector<std::string> ReadScanReadings(ExportFile& file, std::string_view count_field,
                                          std::string_view reading_field, int max_points) {
  const int count = file.ReadCount(count_field, max_points);
  std::vector<std::string> readings;
  // The readings the file holds: a file that ends early gets no rows for readings it lacks,
  // whatever count it promised.
  for (int i = 0; i < count; ++i) {
    std::string reading = file.ReadToken(reading_field);
    if (file.EndedEarly()) break;
    readings.push_back(std::move(reading));
  }
  return readings;
}

}  // namespace korvanta
