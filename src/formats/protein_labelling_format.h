// Protein export files of a dye-labelled UV measurement: four wavelengths, the last the dye's,
// and per sample the values the instrument worked out (ratio, concentrations, labelling).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/export_file.h"
#include "formats/export_opening.h"
#include "formats/read_limits.h"

namespace korvanta {

struct ProteinLabellingSample {
  std::string sample_id;
  std::string a260;
  std::string a280;
  std::string a320;
  std::string dye;
  std::string a260_a280;
  std::string concentration;
  std::string dye_concentration;
  std::string degree_of_labelling;
};

struct ProteinLabellingRecord {
  Opening opening;  // the three fields the file opens with
  std::string sample_name;
  std::optional<std::int32_t> pathlength;  // nothing when the file ended before it
  std::string dilution_factor;
  std::optional<std::int32_t> background;
  std::vector<std::int32_t> wavelengths;  // those the file holds, at most wl_number
  std::string a280_factor;
  std::string a260_factor;
  std::optional<std::int32_t> protein;
  std::optional<std::int32_t> dyetype;
  std::string proextcoefficient;
  std::string dyeodmax;
  std::string dyeextcoeff;
  std::string dyecorrect;
  std::string unit_style;
  std::vector<ProteinLabellingSample> samples;  // those whose id the file holds

  // The dye's wavelength is the fourth; nothing when the file has fewer.
  std::optional<std::int32_t> DyeWavelength() const;
};

// Reads the rest of the file after its opening; more wavelengths or samples than `limits` allow
// are refused.
ProteinLabellingRecord ReadProteinLabelling(ExportFile& file, const Opening& opening,
                                            const ListLimits& limits);

}  // namespace korvanta
