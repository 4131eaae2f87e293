// The ASM documents of Protein files of the UV method: absorbances at 260, 280 and 320 nm and
// the A280/A260 ratio; a dye-labelled measurement adds the dye's reading, the protein and dye
// concentrations and the degree of labelling.
#include <string>

#include "asm/asm_builders.h"
#include "asm/asm_dye_settings.h"
#include "formats/code_tables.h"
#include "formats/protein_code_tables.h"
#include "formats/protein_labelling_format.h"
#include "formats/protein_uv_format.h"

namespace korvanta {

namespace {

// The settings both forms share, from the path length to the protein.
template <typename UvRecord>
void AddUvSettings(AsmDocument& document, const UvRecord& record) {
  document.SetPathLength(record.pathlength);
  document.AddSetting("dilution factor", record.dilution_factor);
  if (record.background) document.AddSetting("background", BackgroundText(*record.background));
  document.AddSetting("A280 factor", record.a280_factor);
  document.AddSetting("A260 factor", record.a260_factor);
  if (record.protein) document.AddSetting("protein", ProteinTypeName(*record.protein).value_or(""));
}

// A measurement's identifier, empty when its reading was left out.
struct UvReadings {
  std::string a260, a280, a320;
};

UvReadings AddUvReadings(AsmDocument& document, const std::string& key, const AsmSample& sample,
                         std::string_view a260, std::string_view a280, std::string_view a320) {
  const auto add = [&](int wavelength, std::string_view text) {
    return document
        .AddAbsorbance(key + "_A" + std::to_string(wavelength), {sample, wavelength, text, {}})
        .value_or("");
  };
  return {add(260, a260), add(280, a280), add(320, a320)};
}

}  // namespace

AsmJson ProteinUvAsm(const ProteinUvRecord& record, const AsmSource& source) {
  AsmDocument document(source);
  document.AddSetting("method", ProteinUvMethodText(record.method_code).value_or(""));
  AddUvSettings(document, record);
  for (std::size_t i = 0; i < record.samples.size(); ++i) {
    const ProteinUvSample& sample = record.samples[i];
    const std::string key = "S" + std::to_string(i + 1);
    const UvReadings ids = AddUvReadings(document, key, {sample.sample_id, record.sample_name},
                                         sample.a260, sample.a280, sample.a320);
    document.AddCalculated({key + "_A280_A260", "A280/A260", sample.sample_id, sample.a280_a260,
                            PresentIds({ids.a280, ids.a260})});
  }
  return std::move(document).Finish();
}

AsmJson ProteinLabellingAsm(const ProteinLabellingRecord& record, const AsmSource& source) {
  AsmDocument document(source);
  AddUvSettings(document, record);
  const std::string_view unit = ProteinUvUnitText(record.unit_style).value_or("");
  document.AddSetting("concentration unit", unit);
  document.AddSetting("protein extinction coefficient", record.proextcoefficient);
  AddDyeSettings(document, record.dyetype, record.dyeodmax, record.dyeextcoeff, record.dyecorrect);
  const auto dye_wavelength = record.DyeWavelength();
  for (std::size_t i = 0; i < record.samples.size(); ++i) {
    const ProteinLabellingSample& sample = record.samples[i];
    const std::string key = "S" + std::to_string(i + 1);
    const AsmSample who{sample.sample_id, record.sample_name};
    const UvReadings ids = AddUvReadings(document, key, who, sample.a260, sample.a280, sample.a320);
    const std::string dye =
        document
            .AddAbsorbance(key + "_DYE",
                           {who,
                            dye_wavelength ? std::optional<double>(*dye_wavelength) : std::nullopt,
                            sample.dye,
                            {}})
            .value_or("");
    document.AddCalculated({key + "_A260_A280", "A260/A280", sample.sample_id, sample.a260_a280,
                            PresentIds({ids.a260, ids.a280})});
    document.AddConcentration({key + "_CONC", "protein concentration", sample.sample_id,
                               sample.concentration, PresentIds({ids.a280, dye})},
                              unit);
    // The file names no unit for the dye's concentration.
    document.AddConcentration({key + "_DYE_CONC", "dye concentration", sample.sample_id,
                               sample.dye_concentration, PresentIds({dye})},
                              "");
    document.AddCalculated({key + "_DOL", "degree of labelling", sample.sample_id,
                            sample.degree_of_labelling, PresentIds({ids.a280, dye})});
  }
  return std::move(document).Finish();
}

}  // namespace korvanta
