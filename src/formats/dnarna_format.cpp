#include "formats/dnarna_format.h"

#include "formats/export_file.h"
#include "formats/optional_code.h"

namespace korvanta {

namespace {

constexpr std::array<std::string_view, 4> kTypeNames = {"dsDNA", "ssDNA", "RNA", "Oligo"};
constexpr std::array<std::string_view, 4> kLabelledTypeNames = {"dsDNA DYE", "ssDNA DYE", "RNA DYE",
                                                                "Oligo DYE"};

constexpr std::array<std::string_view, 16> kUnits = {
    "ug/ml", "ug/ul", "ng/ul", "mg/ml", "pmol/l", "mmol/ul", "umol/l", "mg/l",
    "mg/dl", "ug/l",  "g/l",   "U/l",   "ppm",    "ppb",     "%",      "conc",
};

// The opening, then the fields up to factor.
void ReadHead(ExportFile& file, const Opening& opening, int max_wavelengths, DnaRnaHead& head) {
  head.opening = opening;
  head.sample_name = file.ReadLine("sample_name");
  head.pathlength = ReadOptionalCode(file, "pathlength");
  head.dilution_factor = file.ReadToken("dilution_factor");
  head.background = ReadOptionalCode(file, "background");
  const int wavelength_count = file.ReadCount("wl_number", max_wavelengths);
  for (int i = 0; i < wavelength_count; ++i) {
    const std::int32_t wavelength = file.ReadInteger("wavelength");
    if (file.EndedEarly()) break;
    head.wavelengths.push_back(wavelength);
  }
  head.factor = file.ReadToken("factor");
}

template <typename Sample, std::size_t N>
std::vector<Sample> ReadSamples(ExportFile& file, int max_samples,
                                const std::array<std::string_view, N>& reading_fields) {
  const int count = file.ReadCount("sample_number", max_samples);
  std::vector<Sample> samples;
  for (int i = 0; i < count; ++i) {
    Sample sample;
    sample.sample_id = file.ReadLine("sample_id");
    // Samples the count promises past the end of the file get no rows.
    if (file.EndedEarly()) break;
    for (std::size_t j = 0; j < N; ++j) sample.readings[j] = file.ReadToken(reading_fields[j]);
    samples.push_back(std::move(sample));
  }
  return samples;
}

}  // namespace

DnaRnaFile ReadDnaRnaFile(ExportFile& file, const Opening& opening, const ListLimits& limits) {
  DnaRnaFile record;
  ReadHead(file, opening, limits.wavelengths, record.head);
  record.oligo_factor = file.ReadToken("oligo_factor");
  record.unit_style = file.ReadToken("unit_style");
  record.samples = ReadSamples<DnaRnaSample>(file, limits.samples, kDnaRnaReadingFields);
  return record;
}

DnaRnaLabellingFile ReadDnaRnaLabellingFile(ExportFile& file, const Opening& opening,
                                            const ListLimits& limits) {
  DnaRnaLabellingFile record;
  ReadHead(file, opening, limits.wavelengths, record.head);
  record.dyetype = ReadOptionalCode(file, "dyetype");
  record.dyeodmax = file.ReadToken("dyeodmax");
  record.dyeextcoeff = file.ReadToken("dyeextcoeff");
  record.dyecorrect = file.ReadToken("dyecorrect");
  record.unit_style = file.ReadToken("unit_style");
  record.samples =
      ReadSamples<DnaRnaLabellingSample>(file, limits.samples, kDnaRnaLabellingReadingFields);
  return record;
}

std::optional<std::string_view> NucleicAcidTypeName(std::int32_t code, bool dye_labelled) {
  if (code < 1 || code > static_cast<std::int32_t>(kTypeNames.size())) return std::nullopt;
  const auto index = static_cast<std::size_t>(code - 1);
  return dye_labelled ? kLabelledTypeNames[index] : kTypeNames[index];
}

std::optional<std::string_view> NucleicAcidUnit(std::string_view unit_style) {
  for (std::size_t code = 0; code < kUnits.size(); ++code) {
    if (unit_style == std::to_string(code)) return kUnits[code];
  }
  return std::nullopt;
}

}  // namespace korvanta
