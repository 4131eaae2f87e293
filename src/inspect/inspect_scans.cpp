// The scans: Kinetics, TM and WL Scan files, one reading per point.
#include <cstdint>
#include <functional>

#include "formats/code_tables.h"
#include "formats/kinetics_format.h"
#include "formats/scan_fields.h"
#include "formats/tm_format.h"
#include "formats/wlscan_format.h"
#include "inspect/describers.h"
#include "workbook/number_format.h"

namespace korvanta {
namespace {

std::optional<std::string> CountText(const std::optional<std::int32_t>& count) {
  return count ? std::optional<std::string>(std::to_string(*count)) : std::nullopt;
}

// Point i at position `x` (a time, temperature or wavelength) with its reading.
void PointRecords(InspectionContext& context, const std::vector<std::string>& values,
                  const std::string& x_name, const std::function<std::string(int)>& x) {
  context.Records("points");
  for (std::size_t i = 0; i < values.size() && i < kInspectedRecords; ++i) {
    context.Record({{x_name, x(static_cast<int>(i))}, {"reading", values[i]}});
  }
}

}  // namespace

void DescribeKinetics(InspectionContext& context, const KineticsFile& record) {
  FileInspection& inspection = context.inspection();
  const std::optional<std::int32_t> interval = KineticsInterval(record);

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
  context.Setting("interval", CountText(interval));
  context.Setting("totaldatanumber", CountText(record.totaldatanumber));
  const std::int64_t step = interval.value_or(0);
  PointRecords(context, record.values, "time", [step](int i) { return std::to_string(i * step); });
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
  const float start = TextToFloat(record.starttemp);
  const float step = TextToFloat(record.dataresot);
  PointRecords(context, record.values, "temperature", [start, step](int i) {
    return workbook::FormatDecimal(StepPosition(i, step, start), 4);
  });
}

void DescribeWlScan(InspectionContext& context, const WlScanFile& record) {
  FileInspection& inspection = context.inspection();
  const std::optional<float> interval = WlScanInterval(record);

  if (context.WasRead("sample_name")) inspection.sample_name = record.sample_name;
  context.Setting("datamode", context.DecodeCode("datamode", record.datamode, DataModeText));
  PathLengthSetting(context, record.pathlength);
  context.TextSetting("startwl", record.startwl);
  context.TextSetting("endwl", record.endwl);
  context.Setting(
      "interval",
      interval ? std::optional<std::string>(workbook::ShortestFloatText(*interval)) : std::nullopt);
  context.Setting("totaldatanumber", CountText(record.totaldatanumber));
  const float start = TextToFloat(record.startwl);
  const float step = interval.value_or(0.0f);
  PointRecords(context, record.values, "wavelength", [start, step](int i) {
    return workbook::FormatDecimal(StepPosition(i, step, start), 4);
  });
}

}  // namespace korvanta
