// The OD600 export format (.od), which the cell-count and the optical-density reports share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/export_opening.h"
#include "formats/read_limits.h"

namespace korvanta {

class ExportFile;

// The unit field chooses the report.
inline constexpr std::string_view kOd600DensityUnit = "0";
inline constexpr std::string_view kOd600CellCountUnit = "1";

struct Od600Sample {
  std::string sample_id;
  std::string od_value;  // as read
  // Worked out once, for every output alike: OD times the file's factor (Od600CellCountText).
  std::string cells;
};

struct Od600File {
  Opening opening;  // the three fields the file opens with
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

// The fields after the opening up to and including the unit; more than `max_wavelengths`
// wavelengths are refused.
Od600File ReadOd600Head(ExportFile& file, const Opening& opening, int max_wavelengths);
// The multiplier and the samples, after ReadOd600Head. More than `max_samples` are refused.
void ReadOd600Samples(ExportFile& file, int max_samples, Od600File& record);
// The whole file after the opening; a unit other than the two known ones is refused before the
// samples are read, and so are more wavelengths or samples than `limits` allow.
Od600File ReadOd600File(ExportFile& file, const Opening& opening, const ListLimits& limits);

// Refuses, with an ExportFileError naming the unit and its line, a unit other than "0" and "1".
void CheckOd600Unit(const Od600File& record);

// The cell-count report's multiplier: code 0 "1000", every other code "1000000".
std::string_view Od600CellCountMultiplierText(std::int32_t multiple);
// The optical-density report's multiplier: 0 "1000", 1 "1000000"; nothing for another code.
std::optional<std::string_view> Od600DensityMultiplierText(std::int32_t multiple);

// Cells per ml, OD times the factor: the product in single precision, as the instrument
// software computes it, with 4 decimals at most; a product beyond the float range is taken in
// double precision instead of showing an infinity.
std::string Od600CellCountText(float od, float factor);

}  // namespace korvanta
