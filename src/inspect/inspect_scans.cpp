// The scans: Kinetics, TM and WL Scan files, one reading per point.
#include <cstdint>
#include <functional>

#include "formats/code_tables.h"
#include "formats/kinetics_format.h"
#include "formats/tm_format.h"
#include "formats/wlscan_format.h"
#include "inspect/describers.h"
#include "text/number_format.h"

namespace korvanta {
namespace {

std::optional<std::string> CountText(const std::optional<std::int32_t>& count) {
  return count ? std::optional<std::string>(std::to_string(*count)) : std::nullopt;
}

// Point i at position `x` (a time, temperature or wavelength) with its reading.
void PointRecords(InspectionContext& context, const std::vector<std::string>& values,
                  const std::string& x_name, const std::function<std::string(std::size_t)>& x) {
  context.Records("points");
  for (std::size_t i = 0; i < values.size() && i < kInspectedRecords; ++i) {
    context.Record({{x_name, x(i)}, {"reading", values[i]}});
  }
}

}  // namespace

void DescribeKinetics(InspectionContext& context, const KineticsFile& record) {
  FileInspection& inspection = context.inspection();

  if (context.WasRead("sample_name")) inspection.sample_name = record.sample_name;
  context.Setting("datamode", context.DecodeCode("datamode", record.datamode, DataModeText));
  PathLengthSetting(context, record.pathlength);
  context.TextSetting("wl", record.wl);
  context.TextSetting("scantime", record.scantime);
  if (record.sample_interval) {
    const std::int32_t code = TextToInteger(*record.sample_interval);
    if (!IsKineticsIntervalCode(code)) {
      context.Decode("sample_interval", *record.sample_interval, std::nullopt,
                     "the report takes it as the interval in seconds.");
    }
  }
  context.Setting("interval", CountText(record.interval));
  context.Setting("totaldatanumber", CountText(record.totaldatanumber));
  PointRecords(context, record.values, "time",
               [&record](std::size_t i) { return std::to_string(record.times[i]); });
}

void DescribeTm(InspectionContext& context, const TmFile& record) {
  FileInspection& inspection = context.inspection();

  if (context.WasRead("sample_name")) inspection.sample_name = record.sample_name;
  PathLengthSetting(context, record.pathlength);
  context.Setting("datamode", context.DecodeCode("datamode", record.datamode, TmDataModeText));
  context.TextSetting("starttemp", record.starttemp);
  context.TextSetting("endtemp", record.endtemp);
  context.Setting("heatmode", context.DecodeCode("heatmode", record.heatmode, HeatingRateText));
  context.TextSetting("dataresot", record.dataresot);
  context.TextSetting("kquiltime", record.kquiltime);
  context.TextSetting("K", record.k);
  context.Setting("measurenumber", CountText(record.measurenumber));
  PointRecords(context, record.values, "temperature",
               [&record](std::size_t i) { return text::FormatDecimal(record.temperatures[i], 4); });
}

void DescribeWlScan(InspectionContext& context, const WlScanFile& record) {
  FileInspection& inspection = context.inspection();

  if (context.WasRead("sample_name")) inspection.sample_name = record.sample_name;
  context.Setting("datamode", context.DecodeCode("datamode", record.datamode, DataModeText));
  PathLengthSetting(context, record.pathlength);
  context.TextSetting("startwl", record.startwl);
  context.TextSetting("endwl", record.endwl);
  context.Setting("interval", record.interval ? std::optional<std::string>(
                                                    text::ShortestFloatText(*record.interval))
                                              : std::nullopt);
  context.Setting("totaldatanumber", CountText(record.totaldatanumber));
  PointRecords(context, record.values, "wavelength",
               [&record](std::size_t i) { return text::FormatDecimal(record.wavelengths[i], 4); });
}

}  // namespace korvanta
