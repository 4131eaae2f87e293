// OD600 files: the cell-count report (unit "1") and the optical-density report (unit "0").
#include "formats/od600_format.h"
#include "inspect/describers.h"
#include "text/number_format.h"

namespace korvanta {
namespace {

void DescribeHead(InspectionContext& context, const Od600File& record) {
  FileInspection& inspection = context.inspection();
  if (context.WasRead("sample_name")) inspection.sample_name = record.sample_name;
  // The report shows the first wavelength only.
  context.Setting("wavelength", record.wavelengths.empty()
                                    ? std::nullopt
                                    : std::optional<std::string>(
                                          text::FormatDecimal(record.wavelengths.front(), 4)));
  PathLengthSetting(context, record.pathlength);
  context.TextSetting("factor", record.factor);
}

}  // namespace

void DescribeOd600CellCount(InspectionContext& context, const Od600File& record) {
  DescribeHead(context, record);
  context.Setting("unit", "cells/ml");
  if (record.multiple) {
    context.Setting("multiple", std::string(Od600CellCountMultiplierText(*record.multiple)));
  }
  context.Records("samples");
  for (const Od600Sample& sample : record.samples) {
    context.Record({{"sample_id", sample.sample_id},
                    {"od_value", sample.od_value},
                    {"cells_per_ml", sample.cells}});
  }
}

void DescribeOd600Density(InspectionContext& context, const Od600File& record) {
  DescribeHead(context, record);
  context.Setting("unit", "OD");
  context.Setting("multiple",
                  context.DecodeCode("multiple", record.multiple, Od600DensityMultiplierText));
  context.Records("samples");
  for (const Od600Sample& sample : record.samples) {
    context.Record({{"sample_id", sample.sample_id}, {"od_value", sample.od_value}});
  }
}

}  // namespace korvanta
