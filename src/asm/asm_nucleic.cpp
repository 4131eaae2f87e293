// The ASM documents of DNA/RNA files: absorbances at 230, 260, 280 and 320 nm, the ratios
// A260/A280 and A260/A230 and the concentration; a dye-labelled measurement adds the dye's
// reading, its concentration and the frequency of incorporation.
#include <array>
#include <string>

#include "asm/asm_builders.h"
#include "asm/asm_dye_settings.h"
#include "formats/code_tables.h"
#include "formats/dnarna_format.h"
#include "formats/export_file.h"

namespace korvanta {

namespace {

// The wavelengths of a230, a260, a280 and a320, the first readings of both forms.
constexpr std::array<int, 4> kWavelengths = {230, 260, 280, 320};
// Where the dye's wavelength stands in the list of a labelled file: after those four.
constexpr std::size_t kDyeWavelengthIndex = 4;

void AddHeadSettings(AsmDocument& document, const DnaRnaHead& head, bool dye_labelled) {
  document.SetPathLength(head.pathlength);
  document.AddSetting(
      "nucleic acid",
      NucleicAcidTypeName(TextToInteger(head.method_str), dye_labelled).value_or(""));
  document.AddSetting("dilution factor", head.dilution_factor);
  if (head.background) document.AddSetting("background", BackgroundText(*head.background));
  document.AddSetting("factor", head.factor);
}

// The four absorbances; the identifiers of those that are numbers, empty for the others.
template <typename Readings>
std::array<std::string, 4> AddAbsorbances(AsmDocument& document, const std::string& key,
                                          const AsmSample& sample, const Readings& readings) {
  std::array<std::string, 4> ids;
  for (std::size_t k = 0; k < kWavelengths.size(); ++k) {
    ids[k] = document
                 .AddAbsorbance(key + "_A" + std::to_string(kWavelengths[k]),
                                {sample, kWavelengths[k], readings[k], {}})
                 .value_or("");
  }
  return ids;
}

// The ratios and the concentration of a sample whose A260, A280 and A230 are `a260` ...
void AddResults(AsmDocument& document, const std::string& key, const std::string& sample_id,
                const std::array<std::string, 4>& ids, std::string_view a260_a280,
                std::string_view a260_a230, std::string_view concentration, std::string_view unit) {
  const std::string& a230 = ids[0];
  const std::string& a260 = ids[1];
  const std::string& a280 = ids[2];
  document.AddCalculated(
      {key + "_A260_A280", "A260/A280", sample_id, a260_a280, PresentIds({a260, a280})});
  document.AddCalculated(
      {key + "_A260_A230", "A260/A230", sample_id, a260_a230, PresentIds({a260, a230})});
  document.AddConcentration(
      {key + "_CONC", "concentration", sample_id, concentration, PresentIds({a260})}, unit);
}

}  // namespace

AsmJson DnaRnaAsm(const DnaRnaFile& record, const AsmSource& source) {
  AsmDocument document(source);
  AddHeadSettings(document, record.head, false);
  const std::string_view unit = NucleicAcidUnit(record.unit_style).value_or("");
  document.AddSetting("concentration unit", unit);
  for (std::size_t i = 0; i < record.samples.size(); ++i) {
    const DnaRnaSample& sample = record.samples[i];
    const std::string key = "S" + std::to_string(i + 1);
    // a230, a260, a280, a320, a260_a280, a260_a230, concentration.
    const auto& r = sample.readings;
    const auto ids = AddAbsorbances(document, key, {sample.sample_id, record.head.sample_name}, r);
    AddResults(document, key, sample.sample_id, ids, r[4], r[5], r[6], unit);
  }
  return std::move(document).Finish();
}

AsmJson DnaRnaLabellingAsm(const DnaRnaLabellingFile& record, const AsmSource& source) {
  AsmDocument document(source);
  AddHeadSettings(document, record.head, true);
  const std::string_view unit = NucleicAcidUnit(record.unit_style).value_or("");
  document.AddSetting("concentration unit", unit);
  AddDyeSettings(document, record.dyetype, record.dyeodmax, record.dyeextcoeff, record.dyecorrect);
  const auto& wavelengths = record.head.wavelengths;
  const std::optional<double> dye_wavelength =
      wavelengths.size() > kDyeWavelengthIndex
          ? std::optional<double>(wavelengths[kDyeWavelengthIndex])
          : std::nullopt;
  for (std::size_t i = 0; i < record.samples.size(); ++i) {
    const DnaRnaLabellingSample& sample = record.samples[i];
    const std::string key = "S" + std::to_string(i + 1);
    const AsmSample who{sample.sample_id, record.head.sample_name};
    // a230, a260, a280, a320, dye, a260_a280, a260_a230, concentration, dye_concentration,
    // frequency.
    const auto& r = sample.readings;
    const auto ids = AddAbsorbances(document, key, who, r);
    const std::string dye =
        document.AddAbsorbance(key + "_DYE", {who, dye_wavelength, r[4], {}}).value_or("");
    AddResults(document, key, sample.sample_id, ids, r[5], r[6], r[7], unit);
    // The file names no unit for the dye's concentration.
    document.AddConcentration(
        {key + "_DYE_CONC", "dye concentration", sample.sample_id, r[8], PresentIds({dye})}, "");
    document.AddCalculated(
        {key + "_FREQUENCY", "frequency", sample.sample_id, r[9], PresentIds({ids[1], dye})});
  }
  return std::move(document).Finish();
}

}  // namespace korvanta
