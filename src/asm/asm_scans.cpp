// The ASM documents of the scan formats: a WL Scan is the schema's absorption spectrum; a TM
// melting curve is one measurement per point at the temperature of that point; a Kinetics
// time series has no place in the schema and is refused.
#include <cmath>
#include <string>

#include "asm/asm_builders.h"
#include "formats/code_tables.h"
#include "formats/export_file.h"
#include "formats/kinetics_format.h"
#include "formats/tm_format.h"
#include "formats/wlscan_format.h"
#include "text/number_format.h"

namespace korvanta {

namespace {

constexpr std::int32_t kAbsorbanceMode = 1;  // "ABS" in the WL Scan format, "OD" in TM

// A scan's position with the 4 decimals at most the instrument software gives it; nothing where
// absurd settings take it beyond the float range.
std::optional<double> ScanPosition(float position) {
  if (!std::isfinite(position)) return std::nullopt;
  return text::ParseTypedNumber(text::FormatDecimal(position, 4)).value_or(position);
}

// A scan holds one sample, named by the sample name alone; the file's name stands in for an
// empty one, since every measurement needs a sample identifier.
AsmSample ScanSample(const std::string& sample_name, const AsmSource& source) {
  return {sample_name.empty() ? source.file_name : sample_name, {}, false};
}

}  // namespace

AsmJson WlScanAsm(const WlScanFile& record, const AsmSource& source) {
  RequireAbsorbance(source, record.datamode, kAbsorbanceMode, DataModeText);
  AsmDocument document(source);
  document.SetPathLength(record.pathlength);
  document.AddQuantitySetting("start wavelength", record.startwl, kAsmNanometre);
  document.AddQuantitySetting("end wavelength", record.endwl, kAsmNanometre);
  if (record.interval)
    document.AddSettingValue("interval", AsmQuantity(AsmNumber(*record.interval), kAsmNanometre));
  if (!record.values.empty()) {
    std::vector<double> wavelengths;
    // Steps of at most 5 nm from a start the float range holds stay within it.
    for (const float wavelength : record.wavelengths) {
      wavelengths.push_back(*ScanPosition(wavelength));
    }
    document.AddSpectrum("SPECTRUM", ScanSample(record.sample_name, source), wavelengths,
                         record.values);
  }
  return std::move(document).Finish();
}

AsmJson TmAsm(const TmFile& record, const AsmSource& source) {
  RequireAbsorbance(source, record.datamode, kAbsorbanceMode, TmDataModeText);
  AsmDocument document(source);
  document.SetPathLength(record.pathlength);
  document.AddQuantitySetting("start temperature", record.starttemp, kAsmDegreeCelsius);
  document.AddQuantitySetting("end temperature", record.endtemp, kAsmDegreeCelsius);
  if (record.heatmode)
    document.AddSetting("heating rate", HeatingRateText(*record.heatmode).value_or(""));
  document.AddQuantitySetting("temperature step", record.dataresot, kAsmDegreeCelsius);
  const AsmSample sample = ScanSample(record.sample_name, source);
  for (std::size_t i = 0; i < record.values.size(); ++i) {
    document.AddAbsorbance("P" + std::to_string(i + 1), {sample, std::nullopt, record.values[i],
                                                         ScanPosition(record.temperatures[i])});
  }
  return std::move(document).Finish();
}

AsmJson KineticsAsm(const KineticsFile&, const AsmSource& source) {
  throw AsmRefusal(source.file_name +
                   " is a Kinetics time scan: the ASM spectrophotometry schema BENCHLING/2023/12 "
                   "has no absorbance over time, so no ASM document is written.");
}

}  // namespace korvanta
