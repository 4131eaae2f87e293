// The OD600 export format (.od), which the cell-count and the optical-density reports share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta {

class ExportFile;

// The unit field chooses the report.
inline constexpr std::string_view kOd600DensityUnit = "0";
inline constexpr std::string_view kOd600CellCountUnit = "1";

struct Od600Sample {
  std::string sample_id;
  std::string od_value;  // as read
};

struct Od600File {
  std::int32_t method_type = 0;
  std::int32_t measurement_type = 0;
  std::int32_t method_code = 0;  // method_str as a number; not shown
  std::string sample_name;
  // Codes are missing when the file ended before them; their cells keep what the template holds.
  std::optional<std::int32_t> pathlength;
  std::string dilution_factor;
  std::optional<std::int32_t> background;
  std::string dummy;
  std::vector<float> wavelengths;  // those the file holds
  std::string factor;              // as read; its leading number converts OD to cells per ml
  std::string unit;
  int unit_line = 0;  // where the unit stands, for messages about it
  // Read after the unit has chosen the report:
  std::optional<std::int32_t> multiple;
  std::vector<Od600Sample> samples;  // those whose id the file holds
};

// The fields up to and including the unit.
Od600File ReadOd600Head(ExportFile& file);
// The multiplier and the samples, after ReadOd600Head. More than `max_samples` are refused.
void ReadOd600Samples(ExportFile& file, int max_samples, Od600File& record);
// The whole file.
Od600File ReadOd600File(ExportFile& file, int max_samples);

}  // namespace korvanta
