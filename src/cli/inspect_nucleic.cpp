// DNA/RNA files, plain and dye-labelled.
#include "cli/inspect_readers.h"
#include "reports/code_tables.h"
#include "reports/dnarna_format.h"
#include "reports/dye_table.h"
#include "reports/report_variants.h"

namespace korvanta::cli {
namespace {

void DescribeHead(InspectionContext& context, const DnaRnaHead& head, bool dye_labelled) {
  FileInspection& inspection = context.inspection();
  const std::int32_t type = TextToInteger(head.method_str);
  inspection.method =
      context.Decode("method_str", std::to_string(type), NucleicAcidTypeName(type, dye_labelled));
  if (context.WasRead("sample_name")) inspection.sample_name = head.sample_name;
  PathLengthSetting(context, head.pathlength);
  context.TextSetting("dilution_factor", head.dilution_factor);
  if (head.background) context.Setting("background", std::string(BackgroundText(*head.background)));
  context.Setting("wavelengths", WavelengthList(head.wavelengths));
  context.TextSetting("factor", head.factor);
}

template <typename Sample, std::size_t N>
void DescribeSamples(InspectionContext& context, const std::vector<Sample>& samples,
                     const std::array<std::string_view, N>& names) {
  context.Records("samples");
  for (const Sample& sample : samples) {
    InspectedRecord shown{{"sample_id", sample.sample_id}};
    for (std::size_t j = 0; j < N; ++j)
      shown.push_back({std::string(names[j]), sample.readings[j]});
    context.Record(std::move(shown));
  }
}

void InspectDnaRnaLabelling(InspectionContext& context) {
  FileInspection& inspection = context.inspection();
  inspection.template_name = std::string(kDnaRnaLabelling.template_file);
  ExportFile file = context.Open();
  const DnaRnaLabellingFile record = ReadDnaRnaLabellingFile(file, kDnaRnaLabellingMaxSamples);
  inspection.summary.data_type = "DNA/RNA";
  inspection.summary.variant = std::string(kDnaRnaLabelling.name);
  inspection.summary.samples = static_cast<int>(record.samples.size());
  inspection.summary.wavelengths = static_cast<int>(record.head.wavelengths.size());

  DescribeHead(context, record.head, true);
  context.Setting("dye", context.DecodeCode("dyetype", record.dyetype, DyeName));
  context.TextSetting("dyeodmax", record.dyeodmax);
  context.TextSetting("dyeextcoeff", record.dyeextcoeff);
  context.TextSetting("dyecorrect", record.dyecorrect);
  context.Setting(
      "unit", context.Decode("unit_style", record.unit_style, NucleicAcidUnit(record.unit_style)));
  DescribeSamples(context, record.samples, kDnaRnaLabellingReadingFields);
}

}  // namespace

void InspectDnaRna(InspectionContext& context) {
  FileInspection& inspection = context.inspection();
  ExportFile file = context.Open();
  const std::int32_t method_type = file.ReadInteger("method_type");
  if (method_type == kDnaRnaLabellingMethod) {
    InspectDnaRnaLabelling(context);
    return;
  }
  const DnaRnaFile record = ReadDnaRnaFile(file, method_type, kDnaRnaMaxSamples);
  inspection.summary.data_type = "DNA/RNA";
  inspection.summary.variant = std::string(kDnaRna.name);
  inspection.summary.samples = static_cast<int>(record.samples.size());
  inspection.summary.wavelengths = static_cast<int>(record.head.wavelengths.size());

  DescribeHead(context, record.head, false);
  context.TextSetting("oligo_factor", record.oligo_factor);
  context.Setting(
      "unit", context.Decode("unit_style", record.unit_style, NucleicAcidUnit(record.unit_style)));
  DescribeSamples(context, record.samples, kDnaRnaReadingFields);
}

}  // namespace korvanta::cli
