#include "formats/wlscan_format.h"

#include <array>
#include <string>

#include "formats/export_file.h"
#include "formats/optional_code.h"
#include "formats/scan_fields.h"

namespace korvanta {

namespace {

constexpr std::int32_t kAutomaticInterval = 0;
// Codes 1 to 5.
constexpr std::array<float, 5> kIntervalByCode = {0.2f, 0.5f, 1.0f, 2.0f, 5.0f};

bool IsIntervalCode(std::int32_t code) {
  return code >= kAutomaticInterval && code <= static_cast<std::int32_t>(kIntervalByCode.size());
}

std::optional<float> Interval(const WlScanFile& record) {
  if (!record.sampleinterval) return std::nullopt;
  if (*record.sampleinterval != kAutomaticInterval) {
    return kIntervalByCode[static_cast<std::size_t>(*record.sampleinterval - 1)];
  }
  const float range = TextToFloat(record.endwl) - TextToFloat(record.startwl);
  return range > 500.0f ? 1.0f : 0.5f;
}

}  // namespace

WlScanFile ReadWlScanFile(ExportFile& file, const Opening& opening, int max_points) {
  WlScanFile record;
  ReadScanHead(file, opening, record);
  record.startwl = file.ReadToken("startwl");
  record.endwl = file.ReadToken("endwl");
  const int interval_line = file.LineNumber();
  record.sampleinterval = ReadOptionalCode(file, "sampleinterval");
  if (record.sampleinterval && !IsIntervalCode(*record.sampleinterval)) {
    throw ExportFileError("Unknown sampling interval code " +
                          std::to_string(*record.sampleinterval) + " on line " +
                          std::to_string(interval_line) + ": expected 0 to 5.");
  }
  record.totaldatanumber = ReadOptionalCode(file, "totaldatanumber");
  record.values = ReadScanReadings(file, "realmeasurenumber", "measuredata", max_points);
  record.interval = Interval(record);
  record.wavelengths = SteppedPositions(record.values.size(), record.interval.value_or(0.0f),
                                        TextToFloat(record.startwl));
  return record;
}

}  // namespace korvanta
