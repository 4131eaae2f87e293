#include "formats/kinetics_format.h"

#include <array>

#include "formats/export_file.h"
#include "formats/optional_code.h"
#include "formats/scan_fields.h"

namespace korvanta {

namespace {

constexpr std::array<std::int32_t, 6> kIntervalByCode = {1, 2, 5, 10, 50, 100};

// Code 0: the longer the scan, the longer the interval.
std::int32_t AutomaticInterval(std::int32_t scan_time) {
  if (scan_time <= 1000) return 1;
  if (scan_time <= 2000) return 2;
  if (scan_time <= 5000) return 5;
  if (scan_time <= 10000) return 10;
  if (scan_time <= 20000) return 50;
  return 100;
}

std::optional<std::int32_t> Interval(const KineticsFile& record) {
  if (!record.sample_interval) return std::nullopt;
  const std::int32_t code = TextToInteger(*record.sample_interval);
  if (code == 0) return AutomaticInterval(TextToInteger(record.scantime));
  if (code >= 1 && code <= static_cast<std::int32_t>(kIntervalByCode.size())) {
    return kIntervalByCode[static_cast<std::size_t>(code - 1)];
  }
  return code;
}

}  // namespace

KineticsFile ReadKineticsFile(ExportFile& file, const Opening& opening, int max_points) {
  KineticsFile record;
  ReadScanHead(file, opening, record);
  record.scantime = file.ReadToken("scantime");
  record.wl = file.ReadToken("wl");
  std::string interval_code = file.ReadToken("sample_interval");
  if (!file.EndedEarly()) record.sample_interval = std::move(interval_code);
  record.totaldatanumber = ReadOptionalCode(file, "totaldatanumber");
  record.values = ReadScanReadings(file, "realmeasuredata", "value", max_points);
  record.interval = Interval(record);
  // 64 bits: an absurd interval code times a long scan passes the 32-bit range.
  const std::int64_t step = record.interval.value_or(0);
  for (std::size_t i = 0; i < record.values.size(); ++i) {
    record.times.push_back(static_cast<std::int64_t>(i) * step);
  }
  return record;
}

bool IsKineticsIntervalCode(std::int32_t code) {
  return code >= 0 && code <= static_cast<std::int32_t>(kIntervalByCode.size());
}

}  // namespace korvanta
