// Photometry files: samples read at up to 1,024 wavelengths each.
#include "formats/code_tables.h"
#include "formats/photometry_format.h"
#include "inspect/describers.h"

namespace korvanta {

void DescribePhotometry(InspectionContext& context, const PhotometryFile& record) {
  FileInspection& inspection = context.inspection();

  if (context.WasRead("sample_name")) inspection.sample_name = record.sample_name;
  context.Setting("datamode", context.DecodeCode("datamode", record.datamode, DataModeText));
  PathLengthSetting(context, record.pathlength);
  context.Setting("wavelengths", WavelengthList(record.wavelengths));
  context.Records("samples");
  for (const PhotometrySample& sample : record.samples) {
    InspectedRecord shown{{"sample_id", sample.sample_id}};
    for (std::size_t j = 0; j < sample.readings.size(); ++j) {
      shown.push_back({"wl" + std::to_string(j + 1) + "_value", sample.readings[j]});
    }
    context.Record(std::move(shown));
  }
}

}  // namespace korvanta
