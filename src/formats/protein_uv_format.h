// Protein export files of the UV method: absorbances at 260, 280 and 320 nm per sample.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/export_file.h"
#include "formats/export_opening.h"
#include "formats/read_limits.h"

namespace korvanta {

// method_type of a Protein file of the UV method, and the UV method code of a dye-labelled
// measurement.
inline constexpr std::int32_t kProteinUvMethodType = 6;
inline constexpr std::int32_t kProteinLabellingMethodCode = 2;

struct ProteinUvSample {
  std::string sample_id;
  std::string a260;
  std::string a280;
  std::string a320;
  std::string a280_a260;
};

struct ProteinUvRecord {
  Opening opening;  // the three fields the file opens with
  std::string sample_name;
  std::optional<std::int32_t> pathlength;  // nothing when the file ended before it
  std::string dilution_factor;
  std::optional<std::int32_t> background;
  std::vector<std::int32_t> wavelengths;  // not shown
  std::string a280_factor;
  std::string a260_factor;
  std::optional<std::int32_t> protein;
  std::string unit_style;
  std::vector<ProteinUvSample> samples;  // those whose id the file holds
};

// Reads sample_name up to the last sample, on from the opening of a file that is not a
// labelling one. More wavelengths or samples than `limits` allow are refused.
ProteinUvRecord ReadProteinUvBody(ExportFile& file, const Opening& opening,
                                  const ListLimits& limits);

}  // namespace korvanta
