// The ASM documents of Protein files of the UV method: absorbances at 260, 280 and 320 nm and
// the A280/A260 ratio; a dye-labelled measurement adds the dye's reading, the protein and dye
// concentrations and the degree of labelling.
#include <string>

#include "asm/asm_builders.h"
#include "asm/asm_corrections.h"
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
  document.AddQuantitySetting("dilution factor", record.dilution_factor, kAsmUnitless);
  if (record.background) document.AddSetting("background", BackgroundText(*record.background));
  document.AddQuantitySetting("A280 factor", record.a280_factor, kAsmUnitless);
  document.AddQuantitySetting("A260 factor", record.a260_factor, kAsmUnitless);
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
  document.AddSetting("method", ProteinUvMethodText(record.opening.MethodCode()).value_or(""));
  AddUvSettings(document, record);
  const AsmCorrections corrections(record.background, "", std::nullopt);
  for (std::size_t i = 0; i < record.samples.size(); ++i) {
    const ProteinUvSample& sample = record.samples[i];
    const std::string key = "S" + std::to_string(i + 1);
    const UvReadings ids = AddUvReadings(document, key, {sample.sample_id, record.sample_name},
                                         sample.a260, sample.a280, sample.a320);
    document.AddCalculated({key + "_A280_A260", "A280/A260", sample.sample_id, sample.a280_a260,
                            corrections.Sources({ids.a280, ids.a260}, ids.a320, ""),
                            corrections.Reading("A280") + " / " + corrections.Reading("A260") +
                                corrections.BackgroundExplanation()});
  }
  return std::move(document).Finish();
}

AsmJson ProteinLabellingAsm(const ProteinLabellingRecord& record, const AsmSource& source) {
  AsmDocument document(source);
  AddUvSettings(document, record);
  const std::string_view unit = ProteinUvUnitText(record.unit_style).value_or("");
  document.AddSetting("concentration unit", unit);
  document.AddQuantitySetting("protein extinction coefficient", record.proextcoefficient,
                              kAsmMolarExtinctionUnit);
  AddDyeSettings(document, record.dyetype, record.dyeodmax, record.dyeextcoeff, record.dyecorrect);
  const auto dye_wavelength = record.DyeWavelength();
  const std::optional<double> dye_nm =
      dye_wavelength ? std::optional<double>(*dye_wavelength) : std::nullopt;
  const AsmCorrections corrections(record.background, record.dyecorrect, dye_nm);
  for (std::size_t i = 0; i < record.samples.size(); ++i) {
    const ProteinLabellingSample& sample = record.samples[i];
    const std::string key = "S" + std::to_string(i + 1);
    const AsmSample who{sample.sample_id, record.sample_name};
    const UvReadings ids = AddUvReadings(document, key, who, sample.a260, sample.a280, sample.a320);
    const std::string dye =
        document.AddAbsorbance(key + "_DYE", {who, dye_nm, sample.dye, {}}).value_or("");
    document.AddCalculated({key + "_A260_A280", "A260/A280", sample.sample_id, sample.a260_a280,
                            corrections.Sources({ids.a260, ids.a280}, ids.a320, ""),
                            corrections.Reading("A260") + " / " + corrections.Reading("A280") +
                                corrections.BackgroundExplanation()});
    document.AddConcentration(
        {key + "_CONC", "protein concentration", sample.sample_id, sample.concentration,
         corrections.Sources({ids.a280, dye}, ids.a320, dye),
         "from " + corrections.DyeCorrected("A280") + " and the protein's extinction coefficient " +
             record.proextcoefficient + corrections.Explanation()},
        unit);
    document.AddConcentration({key + "_DYE_CONC", "dye concentration", sample.sample_id,
                               sample.dye_concentration, corrections.Sources({dye}, ids.a320, ""),
                               corrections.DyeConcentration(record.dyeextcoeff)},
                              kAsmMicromolar);
    document.AddCalculated({key + "_DOL", "degree of labelling", sample.sample_id,
                            sample.degree_of_labelling,
                            corrections.Sources({dye, ids.a280}, ids.a320, dye),
                            "dye molecules per protein molecule: the dye's molar concentration / "
                            "the protein's molar concentration" +
                                corrections.Explanation()});
  }
  return std::move(document).Finish();
}

}  // namespace korvanta
