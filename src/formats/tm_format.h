// The TM export format (.tm): a melting curve, one sample read while the temperature rises
// in fixed steps.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/export_opening.h"

namespace korvanta {

class ExportFile;

struct TmFile {
  Opening opening;  // the three fields the file opens with
  std::string sample_name;
  // Codes are missing when the file ended before them; their cells keep what the template holds.
  std::optional<std::int32_t> pathlength;
  std::optional<std::int32_t> datamode;
  std::string starttemp;  // as read; its value is the temperature of the first point
  std::string endtemp;
  std::optional<std::int32_t> heatmode;
  std::string dataresot;  // temperature step as read
  std::string kquiltime;
  std::string k;
  std::optional<std::int32_t> measurenumber;  // planned number of points
  std::vector<std::string> values;            // the readings in temperature order, as read
  // Worked out once, for every output alike: the temperature of each reading, index x
  // dataresot + starttemp.
  std::vector<float> temperatures;
};

// The whole file; more than `max_points` readings are refused.
TmFile ReadTmFile(ExportFile& file, const Opening& opening, int max_points);

// The only data mode the TM format knows: 1 "OD".
std::optional<std::string> TmDataModeText(std::int32_t code);

// Heating rate: 0 "1/min", 1 "2/min", 2 "QUICK+1/min", 3 "QUICK+2/min".
std::optional<std::string> HeatingRateText(std::int32_t code);

}  // namespace korvanta
