// Protein (standard curve, K factor, UV, labelling) and Concentration files.
#include "formats/code_tables.h"
#include "formats/dye_table.h"
#include "formats/protein_code_tables.h"
#include "formats/protein_labelling_format.h"
#include "formats/protein_uv_format.h"
#include "formats/standard_curve_format.h"
#include "inspect/describers.h"

namespace korvanta {
namespace {

constexpr std::string_view kModeConsequence =
    "the report takes the file as one of the K factor and leaves its cell as the template has it.";

void SetSampleName(InspectionContext& context, const std::string& sample_name) {
  if (context.WasRead("sample_name")) context.inspection().sample_name = sample_name;
}

}  // namespace

void DescribeStandardCurve(InspectionContext& context, const StandardCurveRecord& record) {
  FileInspection& inspection = context.inspection();
  const std::int32_t method_code = record.opening.MethodCode();
  inspection.method = context.Decode("method_str", std::to_string(method_code),
                                     StandardCurveMethodText(method_code));
  SetSampleName(context, record.sample_name);
  PathLengthSetting(context, record.pathlength);
  context.TextSetting("dilution_factor", record.dilution_factor);
  context.Setting("unit", context.Decode("unit_style", record.unit_style,
                                         StandardCurveUnitText(record.unit_style)));
  context.Setting("calibration_mode",
                  context.DecodeCode("calibration_mode", record.calibration_mode,
                                     CalibrationModeText, kModeConsequence));
  context.Setting("wavelengths", WavelengthList(record.wavelengths));
  context.Setting("equation", EquationText(record.k0, record.k1));
  if (record.r) context.TextSetting("R", *record.r);

  context.Records("samples");
  for (const CurveSample& sample : record.samples) {
    InspectedRecord shown{{"sample_id", sample.sample_id}};
    for (std::size_t j = 0; j < sample.wl_od_values.size(); ++j) {
      shown.push_back({"wl" + std::to_string(j + 1) + "_od_value", sample.wl_od_values[j]});
    }
    shown.push_back({"od_value", sample.od_value});
    shown.push_back({"concentration", sample.concentration});
    context.Record(std::move(shown));
  }
}

namespace {

void DescribeUvHeader(InspectionContext& context, const std::optional<std::int32_t>& pathlength,
                      const std::string& dilution_factor,
                      const std::optional<std::int32_t>& background, const std::string& a280_factor,
                      const std::string& a260_factor, const std::optional<std::int32_t>& protein) {
  PathLengthSetting(context, pathlength);
  context.TextSetting("dilution_factor", dilution_factor);
  if (background) context.Setting("background", std::string(BackgroundText(*background)));
  context.TextSetting("a280_factor", a280_factor);
  context.TextSetting("a260_factor", a260_factor);
  context.Setting("protein", context.DecodeCode("protein", protein, ProteinTypeName));
}

}  // namespace

void DescribeProteinLabelling(InspectionContext& context, const ProteinLabellingRecord& record) {
  SetSampleName(context, record.sample_name);
  DescribeUvHeader(context, record.pathlength, record.dilution_factor, record.background,
                   record.a280_factor, record.a260_factor, record.protein);
  context.Setting("dye", context.DecodeCode("dyetype", record.dyetype, DyeName));
  context.TextSetting("proextcoefficient", record.proextcoefficient);
  context.TextSetting("dyeodmax", record.dyeodmax);
  context.TextSetting("dyeextcoeff", record.dyeextcoeff);
  context.TextSetting("dyecorrect", record.dyecorrect);
  context.Setting("unit", context.Decode("unit_style", record.unit_style,
                                         ProteinUvUnitText(record.unit_style)));
  context.Setting("wavelengths", WavelengthList(record.wavelengths));

  context.Records("samples");
  for (const ProteinLabellingSample& sample : record.samples) {
    context.Record({{"sample_id", sample.sample_id},
                    {"a260", sample.a260},
                    {"a280", sample.a280},
                    {"a320", sample.a320},
                    {"dye", sample.dye},
                    {"a260_a280", sample.a260_a280},
                    {"concentration", sample.concentration},
                    {"dye_concentration", sample.dye_concentration},
                    {"degree_of_labelling", sample.degree_of_labelling}});
  }
}

void DescribeProteinUv(InspectionContext& context, const ProteinUvRecord& record) {
  FileInspection& inspection = context.inspection();
  const std::int32_t method_code = record.opening.MethodCode();

  inspection.method =
      context.Decode("method_str", std::to_string(method_code), ProteinUvMethodText(method_code));
  SetSampleName(context, record.sample_name);
  DescribeUvHeader(context, record.pathlength, record.dilution_factor, record.background,
                   record.a280_factor, record.a260_factor, record.protein);
  context.Setting("unit", context.Decode("unit_style", record.unit_style,
                                         ProteinUvUnitText(record.unit_style)));
  context.Setting("wavelengths", WavelengthList(record.wavelengths));

  context.Records("samples");
  for (const ProteinUvSample& sample : record.samples) {
    context.Record({{"sample_id", sample.sample_id},
                    {"a260", sample.a260},
                    {"a280", sample.a280},
                    {"a320", sample.a320},
                    {"a280_a260", sample.a280_a260}});
  }
}

}  // namespace korvanta
