// DNA/RNA files, plain and dye-labelled.
#include "formats/code_tables.h"
#include "formats/dnarna_format.h"
#include "formats/dye_table.h"
#include "inspect/describers.h"

namespace korvanta {
namespace {

void DescribeHead(InspectionContext& context, const DnaRnaHead& head, bool dye_labelled) {
  FileInspection& inspection = context.inspection();
  const std::int32_t type = head.opening.MethodCode();
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

}  // namespace

void DescribeDnaRna(InspectionContext& context, const DnaRnaFile& record) {
  DescribeHead(context, record.head, false);
  context.TextSetting("oligo_factor", record.oligo_factor);
  context.Setting(
      "unit", context.Decode("unit_style", record.unit_style, NucleicAcidUnit(record.unit_style)));
  DescribeSamples(context, record.samples, kDnaRnaReadingFields);
}

void DescribeDnaRnaLabelling(InspectionContext& context, const DnaRnaLabellingFile& record) {
  DescribeHead(context, record.head, true);
  context.Setting("dye", context.DecodeCode("dyetype", record.dyetype, DyeName));
  context.TextSetting("dyeodmax", record.dyeodmax);
  context.TextSetting("dyeextcoeff", record.dyeextcoeff);
  context.TextSetting("dyecorrect", record.dyecorrect);
  context.Setting(
      "unit", context.Decode("unit_style", record.unit_style, NucleicAcidUnit(record.unit_style)));
  DescribeSamples(context, record.samples, kDnaRnaLabellingReadingFields);
}

}  // namespace korvanta
