// The Kinetics export format (.tsc): one sample read at one wavelength at regular times.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/export_opening.h"

namespace korvanta {

class ExportFile;

struct KineticsFile {
  Opening opening;  // the three fields the file opens with
  std::string sample_name;
  // Codes are missing when the file ended before them; their cells keep what the template holds.
  std::optional<std::int32_t> pathlength;
  std::optional<std::int32_t> datamode;
  std::string scantime;  // total scan time as read; its integer value picks the automatic interval
  std::string wl;        // measuring wavelength as read
  std::optional<std::string> sample_interval;   // interval code as read
  std::optional<std::int32_t> totaldatanumber;  // planned number of points
  std::vector<std::string> values;              // the readings in time order, as read
  // Worked out once from the fields above, for every output alike:
  // Seconds between two points: codes 1 to 6 name 1, 2, 5, 10, 50 or 100 s; code 0 picks by
  // the scan time; any other code is the interval itself. Nothing when the file has no code.
  std::optional<std::int32_t> interval;
  std::vector<std::int64_t> times;  // of each reading, index x interval seconds
};

// The whole file; more than `max_points` readings are refused.
KineticsFile ReadKineticsFile(ExportFile& file, const Opening& opening, int max_points);

// Whether the interval code is one the instrument defines (0 to 6), rather than taken as the
// interval itself.
bool IsKineticsIntervalCode(std::int32_t code);

}  // namespace korvanta
