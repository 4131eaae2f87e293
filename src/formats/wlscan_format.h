// The WL Scan export format (.wsc): one sample read at wavelengths from a start to an end
// wavelength in fixed steps.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/export_opening.h"

namespace korvanta {

class ExportFile;

struct WlScanFile {
  Opening opening;  // the three fields the file opens with
  std::string sample_name;
  // Codes are missing when the file ended before them; their cells keep what the template holds.
  std::optional<std::int32_t> pathlength;
  std::optional<std::int32_t> datamode;
  std::string startwl;  // as read; its value is the wavelength of the first point
  std::string endwl;
  std::optional<std::int32_t> sampleinterval;   // interval code 0 to 5
  std::optional<std::int32_t> totaldatanumber;  // planned number of points
  std::vector<std::string> values;              // the readings in wavelength order, as read
  // Worked out once from the fields above, for every output alike:
  // Nanometres between two points: codes 1 to 5 name 0.2, 0.5, 1, 2 or 5 nm; code 0 takes 1 nm
  // for a range wider than 500 nm and 0.5 nm otherwise. Nothing when the file has no code.
  std::optional<float> interval;
  // Of each reading: index x interval + startwl (no code: startwl for every point).
  std::vector<float> wavelengths;
};

// The whole file; more than `max_points` readings are refused, and so is an interval code
// outside 0 to 5 (the instrument defines no interval for it).
WlScanFile ReadWlScanFile(ExportFile& file, const Opening& opening, int max_points);

}  // namespace korvanta
