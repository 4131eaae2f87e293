// The ASM documents of DNA/RNA files: absorbances at 230, 260, 280 and 320 nm, the ratios
// A260/A280 and A260/A230 and the concentration; a dye-labelled measurement adds the dye's
// reading, its concentration and the frequency of incorporation.
#include <array>
#include <string>

#include "asm/asm_builders.h"
#include "asm/asm_corrections.h"
#include "asm/asm_dye_settings.h"
#include "asm/asm_units.h"
#include "formats/code_tables.h"
#include "formats/dnarna_format.h"
#include "formats/export_file.h"

namespace korvanta {

namespace {

// The wavelengths of a230, a260, a280 and a320, the first readings of both forms.
constexpr std::array<int, 4> kWavelengths = {230, 260, 280, 320};
// Where the dye's wavelength stands in the list of a labelled file: after those four.
constexpr std::size_t kDyeWavelengthIndex = 4;

void AddHeadSettings(AsmDocument& document, const DnaRnaHead& head, bool dye_labelled,
                     std::string_view unit) {
  document.SetPathLength(head.pathlength);
  document.AddSetting(
      "nucleic acid",
      NucleicAcidTypeName(head.opening.MethodCode(), dye_labelled).value_or(""));
  document.AddQuantitySetting("dilution factor", head.dilution_factor, kAsmUnitless);
  if (head.background) document.AddSetting("background", BackgroundText(*head.background));
  // The factor turns a dimensionless absorbance into the concentration.
  document.AddQuantitySetting("factor", head.factor, AsmConcentrationUnitText(unit));
  document.AddSetting("concentration unit", unit);
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

// What a sample's results are worked out from: its four readings, the dye's (when labelled)
// and the file's corrections.
struct NucleicSources {
  const std::array<std::string, 4>& ids;  // a230, a260, a280, a320
  const std::string& dye;
  const AsmCorrections& corrections;
  std::string_view factor;
};

// The ratios and the concentration. The ratios take the background off but not the dye's share;
// the concentration takes both.
void AddResults(AsmDocument& document, const std::string& key, const std::string& sample_id,
                const NucleicSources& from, std::string_view a260_a280, std::string_view a260_a230,
                std::string_view concentration, std::string_view unit) {
  const auto& [a230, a260, a280, a320] = from.ids;
  const AsmCorrections& c = from.corrections;
  const std::string background = c.BackgroundExplanation();
  document.AddCalculated({key + "_A260_A280", "A260/A280", sample_id, a260_a280,
                          c.Sources({a260, a280}, a320, ""),
                          c.Reading("A260") + " / " + c.Reading("A280") + background});
  document.AddCalculated({key + "_A260_A230", "A260/A230", sample_id, a260_a230,
                          c.Sources({a260, a230}, a320, ""),
                          c.Reading("A260") + " / " + c.Reading("A230") + background});
  document.AddConcentration(
      {key + "_CONC", "concentration", sample_id, concentration, c.Sources({a260}, a320, from.dye),
       c.DyeCorrected("A260") + " * " + std::string(from.factor) + " (the factor)" +
           c.Explanation()},
      unit);
}

}  // namespace

AsmJson DnaRnaAsm(const DnaRnaFile& record, const AsmSource& source) {
  AsmDocument document(source);
  const std::string_view unit = NucleicAcidUnit(record.unit_style).value_or("");
  AddHeadSettings(document, record.head, false, unit);
  const AsmCorrections corrections(record.head.background, "", std::nullopt);
  for (std::size_t i = 0; i < record.samples.size(); ++i) {
    const DnaRnaSample& sample = record.samples[i];
    const std::string key = "S" + std::to_string(i + 1);
    // a230, a260, a280, a320, a260_a280, a260_a230, concentration.
    const auto& r = sample.readings;
    const auto ids = AddAbsorbances(document, key, {sample.sample_id, record.head.sample_name}, r);
    AddResults(document, key, sample.sample_id, {ids, "", corrections, record.head.factor}, r[4],
               r[5], r[6], unit);
  }
  return std::move(document).Finish();
}

AsmJson DnaRnaLabellingAsm(const DnaRnaLabellingFile& record, const AsmSource& source) {
  AsmDocument document(source);
  const std::string_view unit = NucleicAcidUnit(record.unit_style).value_or("");
  AddHeadSettings(document, record.head, true, unit);
  AddDyeSettings(document, record.dyetype, record.dyeodmax, record.dyeextcoeff, record.dyecorrect);
  const auto& wavelengths = record.head.wavelengths;
  const std::optional<double> dye_wavelength =
      wavelengths.size() > kDyeWavelengthIndex
          ? std::optional<double>(wavelengths[kDyeWavelengthIndex])
          : std::nullopt;
  const AsmCorrections corrections(record.head.background, record.dyecorrect, dye_wavelength);
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
    AddResults(document, key, sample.sample_id, {ids, dye, corrections, record.head.factor}, r[5],
               r[6], r[7], unit);
    const std::string& a320 = ids[3];
    // The file's dye concentrations are in micromoles per litre.
    document.AddConcentration(
        {key + "_DYE_CONC", "dye concentration", sample.sample_id, r[8],
         corrections.Sources({dye}, a320, ""), corrections.DyeConcentration(record.dyeextcoeff)},
        kAsmMicromolar);
    document.AddCalculated({key + "_FREQUENCY", "frequency", sample.sample_id, r[9],
                            corrections.Sources({dye, ids[1]}, a320, dye),
                            "dye molecules per 1000 nucleotides: 1000 * the dye's concentration / "
                            "the nucleotides' concentration (the concentration over the mass of "
                            "a nucleotide)" +
                                corrections.Explanation()});
  }
  return std::move(document).Finish();
}

}  // namespace korvanta
