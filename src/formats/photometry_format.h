// The Photometry export file (.pht), read into a typed record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/export_file.h"
#include "formats/export_opening.h"

namespace korvanta {

struct PhotometrySample {
  std::string sample_id;
  std::vector<std::string> readings;  // as read, one per wavelength; fewer when the file ended
};

struct PhotometryFile {
  Opening opening;  // the three fields the file opens with
  std::string sample_name;
  std::optional<std::int32_t> pathlength;  // nothing when the file ended before it
  std::string dilution_factor;             // not shown
  std::string dummy;                       // not shown
  int wl_number = 0;
  std::vector<float> wavelengths;  // as read; fewer than wl_number when the file ended
  std::optional<std::int32_t> datamode;
  int sample_number = 0;
  std::vector<PhotometrySample> samples;  // those whose id was read
};

// The most wavelengths, and the most samples with that many wavelengths.
struct PhotometryLimits {
  int wavelengths = 0;
  int (*samples)(int wavelengths) = nullptr;
};

PhotometryFile ReadPhotometryFile(ExportFile& file, const Opening& opening,
                                  const PhotometryLimits& limits);

}  // namespace korvanta
