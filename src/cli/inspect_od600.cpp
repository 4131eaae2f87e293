// OD600 files: the cell-count report (unit "1") and the optical-density report (unit "0").
#include "cli/inspect_readers.h"
#include "reports/od600_format.h"
#include "reports/report_variants.h"
#include "workbook/number_format.h"

namespace korvanta::cli {
namespace {

void DescribeHead(InspectionContext& context, const Od600File& record) {
  FileInspection& inspection = context.inspection();
  if (context.WasRead("sample_name")) inspection.sample_name = record.sample_name;
  // The report shows the first wavelength only.
  context.Setting("wavelength", record.wavelengths.empty()
                                    ? std::nullopt
                                    : std::optional<std::string>(
                                          workbook::FormatDecimal(record.wavelengths.front(), 4)));
  PathLengthSetting(context, record.pathlength);
  context.TextSetting("factor", record.factor);
}

void Count(FileInspection& inspection, const Od600File& record, const ReportVariant& variant) {
  inspection.summary.data_type = "OD600";
  inspection.summary.variant = std::string(variant.name);
  inspection.summary.samples = static_cast<int>(record.samples.size());
  inspection.summary.wavelengths = static_cast<int>(record.wavelengths.size());
}

void InspectOd600Density(InspectionContext& context) {
  FileInspection& inspection = context.inspection();
  inspection.template_name = std::string(kOd600OpticalDensity.template_file);
  ExportFile file = context.Open();
  const Od600File record = ReadOd600File(file, kOd600MaxSamples);
  Count(inspection, record, kOd600OpticalDensity);

  DescribeHead(context, record);
  context.Setting("unit", "OD");
  context.Setting("multiple",
                  context.DecodeCode("multiple", record.multiple, Od600DensityMultiplierText));
  context.Records("samples");
  for (const Od600Sample& sample : record.samples) {
    context.Record({{"sample_id", sample.sample_id}, {"od_value", sample.od_value}});
  }
}

}  // namespace

void InspectOd600(InspectionContext& context) {
  FileInspection& inspection = context.inspection();
  ExportFile file = context.Open();
  Od600File record = ReadOd600Head(file);
  if (record.unit == kOd600DensityUnit) {
    InspectOd600Density(context);
    return;
  }
  CheckOd600Unit(record);
  ReadOd600Samples(file, kOd600MaxSamples, record);
  Count(inspection, record, kOd600CellCount);

  DescribeHead(context, record);
  context.Setting("unit", "cells/ml");
  if (record.multiple) {
    context.Setting("multiple", std::string(Od600CellCountMultiplierText(*record.multiple)));
  }
  const float factor = TextToFloat(record.factor);
  context.Records("samples");
  for (const Od600Sample& sample : record.samples) {
    context.Record({{"sample_id", sample.sample_id},
                    {"od_value", sample.od_value},
                    {"cells_per_ml", Od600CellCountText(TextToFloat(sample.od_value), factor)}});
  }
}

}  // namespace korvanta::cli
