// An Allotrope Simple Model (ASM) document of the spectrophotometry schema BENCHLING/2023/12,
// built up reading by reading from what one export file holds.
#pragma once

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "asm/asm_source.h"

namespace korvanta {

// Keys stay in the order they are written, so that documents read top down and equal input
// gives equal bytes.
using AsmJson = nlohmann::ordered_json;

inline constexpr std::string_view kAsmManifest =
    "http://purl.allotrope.org/manifests/spectrophotometry/BENCHLING/2023/12/"
    "spectrophotometry.manifest";

// Units as the schema spells them.
inline constexpr std::string_view kAsmAbsorbanceUnit = "mAU";  // the schema's only absorbance unit
inline constexpr std::string_view kAsmNanometre = "nm";
inline constexpr std::string_view kAsmCentimetre = "cm";
inline constexpr std::string_view kAsmDegreeCelsius = "degC";
inline constexpr std::string_view kAsmUnitless = "(unitless)";
// Micromolar as the schema's unit list spells it, with the Greek mu U+03BC.
inline constexpr std::string_view kAsmMicromolar = "\u03BCM";
// The schema has no molar attenuation unit; this follows its "L/(g cm)".
inline constexpr std::string_view kAsmMolarExtinctionUnit = "L/(mol cm)";

// A file the schema cannot express (a Kinetics time series, readings that are not absorbance).
// The message names the file and the reason, for the user.
class AsmRefusal : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Who a reading belongs to.
struct AsmSample {
  std::string identifier;  // the sample id as read
  std::string batch;       // the file's sample name: the series the sample belongs to
  bool standard = false;   // a calibration standard
};

// One absorbance reading: the sample, the wavelength it was read at (when the file gives it)
// and, for a melting curve, the temperature of the cell compartment.
struct AsmReading {
  AsmSample sample;
  std::optional<double> wavelength;
  std::string_view text;  // as read
  std::optional<double> temperature;
};

// A value the instrument worked out from readings: its name, its text as read, the measurements
// it comes from and how, in words.
struct AsmDerivedValue {
  std::string key;     // unique in the file, for its identifier: "S1_A260_A280"
  std::string name;    // "A260/A280"
  std::string sample;  // the sample's id, for notes
  std::string_view text;
  std::vector<std::string> sources;  // measurement identifiers, every one the value comes from
  std::string description;           // "(A260 - A320) / (A280 - A320): ..."
};

// {value, unit}, the schema's quantity.
AsmJson AsmQuantity(double value, std::string_view unit);

// A float read from the file as the shortest decimal that reads back as it (595.3f: 595.3).
double AsmNumber(float value);

// Refuses, naming `mode`, readings the instrument took in another mode than absorbance.
[[noreturn]] void RefuseReadingsInMode(const AsmSource& source, const std::string& mode);

// Refuses readings the instrument took in another data mode than absorbance (%T, E(S), a code
// it does not define): the schema holds absorbance only. Nothing to check without a code.
// `mode_text(code)` names a code, or gives nothing for one the format does not define.
template <typename ModeText>
void RequireAbsorbance(const AsmSource& source, std::optional<std::int32_t> datamode,
                       std::int32_t absorbance_code, ModeText mode_text) {
  if (!datamode || *datamode == absorbance_code) return;
  const auto text = mode_text(*datamode);
  RefuseReadingsInMode(source,
                       text ? std::string(*text) : "data mode " + std::to_string(*datamode));
}

class AsmDocument {
 public:
  explicit AsmDocument(const AsmSource& source);

  // Adds the measurement `key` (unique in the file: "S1_W2") and gives its identifier, a
  // name-based UUID of the file's content and the key; a reading that is not a number is left
  // out and noted, and gives nothing.
  std::optional<std::string> AddAbsorbance(std::string_view key, const AsmReading& reading);
  // A value of the last measurement added that the schema has no field for (a standard's known
  // concentration), in its custom information with `unit`; left out unless a number, and noted
  // without a unit.
  void AddMeasurementValue(std::string_view name, std::string_view text, std::string_view unit);
  // The absorption spectrum of a wavelength scan: wavelengths in nm against readings; readings
  // that are not numbers are null in the cube and noted.
  void AddSpectrum(std::string_view key, const AsmSample& sample,
                   const std::vector<double>& wavelengths,
                   const std::vector<std::string>& readings);

  // A ratio or other worked-out number, as calculated data pointing at its sources; unitless
  // unless `unit` says otherwise.
  void AddCalculated(const AsmDerivedValue& value, std::string_view unit = kAsmUnitless);
  // A concentration (or count) as processed data of the measurement it is read from (its first
  // source): in the schema's field where `instrument_unit` has an ASM spelling of mass
  // concentration, else in custom information with the unit's text; noted and left out without
  // a unit.
  void AddConcentration(const AsmDerivedValue& value, std::string_view instrument_unit);

  // A setting of the measurement that the schema has no field for, in custom information: a
  // name or code text as read; an empty text is left out.
  void AddSetting(std::string_view name, std::string_view text);
  // A quantity setting: {value, unit} where the text reads as a number and the unit is known,
  // else the text.
  void AddQuantitySetting(std::string_view name, std::string_view text, std::string_view unit);
  void AddSettingValue(std::string_view name, AsmJson value);
  // The cell path length of the path-length code (nothing: the file ended before it), in
  // centimetres, also set for every processed value.
  void SetPathLength(std::optional<std::int32_t> code);

  // The finished document; refused when the file gave no reading at all (the schema needs one).
  AsmJson Finish() &&;

 private:
  std::string Identifier(std::string_view key) const;
  void Note(std::string text);
  // A number without its unit would be read wrong: the note keeps it instead.
  void NoteMissingUnit(const std::string& sample, std::string_view name, std::string_view text);
  AsmJson DataSources(const std::vector<std::string>& sources) const;
  AsmJson DeviceSystem() const;
  AsmJson DataSystem() const;
  // The value as a number; nothing, noted, when its text is not one.
  std::optional<double> DerivedNumber(const AsmDerivedValue& value);

  AsmSource source_;
  AsmJson measurements_ = AsmJson::array();
  AsmJson processed_ = AsmJson::array();
  AsmJson calculated_ = AsmJson::array();
  AsmJson settings_ = AsmJson::object();
  std::map<std::string, std::size_t, std::less<>> measurement_index_;  // by identifier
  std::optional<double> path_length_;
  std::vector<std::string> notes_;
};

}  // namespace korvanta
