#include "formats/tm_format.h"

#include <array>
#include <string_view>

#include "formats/export_file.h"
#include "formats/optional_code.h"
#include "formats/scan_fields.h"

namespace korvanta {

TmFile ReadTmFile(ExportFile& file, const Opening& opening, int max_points) {
  TmFile record;
  ReadScanHead(file, opening, record);
  record.starttemp = file.ReadToken("starttemp");
  record.endtemp = file.ReadToken("endtemp");
  record.heatmode = ReadOptionalCode(file, "heatmode");
  record.dataresot = file.ReadToken("dataresot");
  record.kquiltime = file.ReadToken("kquiltime");
  record.k = file.ReadToken("K");
  record.measurenumber = ReadOptionalCode(file, "measurenumber");
  record.values = ReadScanReadings(file, "realmeasurenumber", "measuredata", max_points);
  record.temperatures = SteppedPositions(record.values.size(), TextToFloat(record.dataresot),
                                         TextToFloat(record.starttemp));
  return record;
}

std::optional<std::string> TmDataModeText(std::int32_t code) {
  if (code == 1) return "OD";
  return std::nullopt;
}

std::optional<std::string> HeatingRateText(std::int32_t code) {
  static constexpr std::array<std::string_view, 4> kRates = {"1/min", "2/min", "QUICK+1/min",
                                                             "QUICK+2/min"};
  if (code < 0 || code >= static_cast<std::int32_t>(kRates.size())) return std::nullopt;
  return std::string(kRates[static_cast<std::size_t>(code)]);
}

}  // namespace korvanta
