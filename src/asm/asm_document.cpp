#include "asm/asm_document.h"

#include <utility>

#include "asm/asm_units.h"
#include "asm/name_uuid.h"
#include "formats/code_tables.h"
#include "text/number_format.h"

namespace korvanta {
namespace {

constexpr std::string_view kConverterName = "korvanta";
constexpr std::string_view kDeviceType = "absorbance detector";
constexpr std::string_view kAbsorbanceFeature = "absorbance";
// The export file names no instrument: the schema's required device fields say so.
constexpr std::string_view kNotKnown = "N/A";
constexpr std::string_view kInstrumentType = "UV-Vis spectrophotometer";
constexpr std::string_view kAbsorbanceUnitNote =
    "Absorbances are the instrument's readings in absorbance units (AU); they carry \"mAU\", the "
    "schema's only absorbance unit, as allotropy's documents do.";

AsmJson SampleDocument(const AsmSample& sample) {
  AsmJson document = AsmJson::object();
  document["sample identifier"] = sample.identifier;
  if (!sample.batch.empty()) document["batch identifier"] = sample.batch;
  if (sample.standard) document["sample role type"] = "standard sample role";
  return document;
}

AsmJson DeviceControl(std::optional<double> wavelength) {
  AsmJson control = AsmJson::object();
  control["device type"] = kDeviceType;
  if (wavelength) control["detector wavelength setting"] = AsmQuantity(*wavelength, kAsmNanometre);
  AsmJson aggregate = AsmJson::object();
  aggregate["device control document"] = AsmJson::array({std::move(control)});
  return aggregate;
}

// "S1 at 260 nm" or "S1": where a value stands, for notes.
std::string Place(const AsmSample& sample, std::optional<double> wavelength) {
  std::string place = sample.identifier.empty() ? std::string("a sample") : sample.identifier;
  if (wavelength) place += " at " + text::ShortestDoubleText(*wavelength) + " nm";
  return place;
}

}  // namespace

AsmJson AsmQuantity(double value, std::string_view unit) {
  AsmJson quantity = AsmJson::object();
  quantity["value"] = value;
  quantity["unit"] = unit;
  return quantity;
}

double AsmNumber(float value) {
  return text::ParseTypedNumber(text::ShortestFloatText(value)).value_or(value);
}

void RefuseReadingsInMode(const AsmSource& source, const std::string& mode) {
  throw AsmRefusal(source.file_name + " holds " + source.experiment + " readings in " + mode +
                   ", not absorbance; the ASM spectrophotometry schema holds absorbance only.");
}

AsmDocument::AsmDocument(const AsmSource& source) : source_(source) {}

std::string AsmDocument::Identifier(std::string_view key) const {
  return NameUuid(kAsmIdentifierNamespace, source_.content_digest + "/" + std::string(key));
}

void AsmDocument::Note(std::string text) { notes_.push_back(std::move(text)); }

void AsmDocument::NoteMissingUnit(const std::string& sample, std::string_view name,
                                  std::string_view text) {
  Note(sample + ": " + std::string(name) + " \"" + std::string(text) +
       "\" has no unit the file names and is left out.");
}

AsmJson AsmDocument::DataSources(const std::vector<std::string>& sources) const {
  AsmJson documents = AsmJson::array();
  for (const std::string& source : sources) {
    AsmJson document = AsmJson::object();
    document["data source identifier"] = source;
    document["data source feature"] = kAbsorbanceFeature;
    documents.push_back(std::move(document));
  }
  AsmJson aggregate = AsmJson::object();
  aggregate["data source document"] = std::move(documents);
  return aggregate;
}

std::optional<std::string> AsmDocument::AddAbsorbance(std::string_view key,
                                                      const AsmReading& reading) {
  const auto value = text::ParseTypedNumber(reading.text);
  if (!value) {
    Note(Place(reading.sample, reading.wavelength) + ": the absorbance \"" +
         std::string(reading.text) + "\" is not a number and is left out.");
    return std::nullopt;
  }
  std::string identifier = Identifier(key);
  AsmJson measurement = AsmJson::object();
  measurement["measurement identifier"] = identifier;
  measurement["sample document"] = SampleDocument(reading.sample);
  measurement["device control aggregate document"] = DeviceControl(reading.wavelength);
  if (reading.temperature) {
    measurement["compartment temperature"] = AsmQuantity(*reading.temperature, kAsmDegreeCelsius);
  }
  measurement["absorbance"] = AsmQuantity(*value, kAsmAbsorbanceUnit);
  measurement_index_[identifier] = measurements_.size();
  measurements_.push_back(std::move(measurement));
  return identifier;
}

void AsmDocument::AddMeasurementValue(std::string_view name, std::string_view text,
                                      std::string_view unit) {
  const auto number = text::ParseTypedNumber(text);
  if (measurements_.empty() || !number) return;
  if (unit.empty()) {
    NoteMissingUnit(measurements_.back()["sample document"]["sample identifier"].get<std::string>(),
                    name, text);
    return;
  }
  measurements_.back()["custom information document"][std::string(name)] =
      AsmQuantity(*number, unit);
}

void AsmDocument::AddSpectrum(std::string_view key, const AsmSample& sample,
                              const std::vector<double>& wavelengths,
                              const std::vector<std::string>& readings) {
  AsmJson absorbances = AsmJson::array();
  for (std::size_t i = 0; i < readings.size(); ++i) {
    if (const auto value = text::ParseTypedNumber(readings[i])) {
      absorbances.push_back(*value);
    } else {
      absorbances.push_back(nullptr);
      Note(Place(sample, wavelengths[i]) + ": the absorbance \"" + readings[i] +
           "\" is not a number and is null in the spectrum.");
    }
  }
  AsmJson dimension = AsmJson::object();
  dimension["@componentDatatype"] = "double";
  dimension["concept"] = "wavelength";
  dimension["unit"] = kAsmNanometre;
  AsmJson measure = AsmJson::object();
  measure["@componentDatatype"] = "double";
  measure["concept"] = "absorbance";
  measure["unit"] = kAsmAbsorbanceUnit;
  AsmJson cube = AsmJson::object();
  cube["label"] = "absorption spectrum";
  cube["cube-structure"]["dimensions"] = AsmJson::array({std::move(dimension)});
  cube["cube-structure"]["measures"] = AsmJson::array({std::move(measure)});
  cube["data"]["dimensions"] = AsmJson::array({AsmJson(wavelengths)});
  cube["data"]["measures"] = AsmJson::array({std::move(absorbances)});

  AsmJson measurement = AsmJson::object();
  const std::string identifier = Identifier(key);
  measurement["measurement identifier"] = identifier;
  measurement["sample document"] = SampleDocument(sample);
  measurement["device control aggregate document"] = DeviceControl(std::nullopt);
  measurement_index_[identifier] = measurements_.size();
  measurement["absorption spectrum data cube"] = std::move(cube);
  measurements_.push_back(std::move(measurement));
}

std::optional<double> AsmDocument::DerivedNumber(const AsmDerivedValue& value) {
  const auto number = text::ParseTypedNumber(value.text);
  if (!number) {
    Note(value.sample + ": " + value.name + " \"" + std::string(value.text) +
         "\" is not a number and is left out.");
  }
  return number;
}

void AsmDocument::AddCalculated(const AsmDerivedValue& value, std::string_view unit) {
  const auto number = DerivedNumber(value);
  if (!number) return;
  AsmJson document = AsmJson::object();
  document["calculated data identifier"] = Identifier(value.key);
  document["calculated data name"] = value.name;
  if (!value.description.empty()) document["calculation description"] = value.description;
  document["calculated result"] = AsmQuantity(*number, unit);
  if (!value.sources.empty())
    document["data source aggregate document"] = DataSources(value.sources);
  calculated_.push_back(std::move(document));
}

void AsmDocument::AddConcentration(const AsmDerivedValue& value, std::string_view instrument_unit) {
  const auto number = DerivedNumber(value);
  if (!number) return;
  if (instrument_unit.empty()) {
    NoteMissingUnit(value.sample, value.name, value.text);
    return;
  }
  AsmJson document = AsmJson::object();
  document["processed data identifier"] = Identifier(value.key);
  if (!value.sources.empty())
    document["data source aggregate document"] = DataSources(value.sources);
  if (path_length_) {
    document["data processing document"]["cell path length"] =
        AsmQuantity(*path_length_, kAsmCentimetre);
  }
  if (const auto unit = AsmMassConcentrationUnit(instrument_unit)) {
    document["mass concentration"] = AsmQuantity(*number, *unit);
  } else {
    // The schema has no unit for it: the value keeps the instrument's unit text, beside the
    // schema's fields rather than in one of them.
    document["custom information document"][value.name] = AsmQuantity(*number, instrument_unit);
  }
  // The schema has no description field for processed data.
  if (!value.description.empty()) {
    document["custom information document"]["calculation description"] = value.description;
  }
  // Nested in the measurement it is read from, where consumers of allotropy's documents look;
  // beside the measurements where that reading was left out.
  const auto read_from =
      value.sources.empty() ? measurement_index_.end() : measurement_index_.find(value.sources[0]);
  if (read_from == measurement_index_.end()) {
    processed_.push_back(std::move(document));
    return;
  }
  measurements_[read_from->second]["processed data aggregate document"]["processed data document"]
      .push_back(std::move(document));
}

void AsmDocument::AddSetting(std::string_view name, std::string_view text) {
  if (!text.empty()) AddSettingValue(name, text);
}

void AsmDocument::AddQuantitySetting(std::string_view name, std::string_view text,
                                     std::string_view unit) {
  // Without a unit the text stays as read: a bare number would pass for a quantity.
  const auto number = text::ParseTypedNumber(text);
  if (number && !unit.empty()) {
    AddSettingValue(name, AsmQuantity(*number, unit));
  } else {
    AddSetting(name, text);
  }
}

void AsmDocument::AddSettingValue(std::string_view name, AsmJson value) {
  settings_[std::string(name)] = std::move(value);
}

void AsmDocument::SetPathLength(std::optional<std::int32_t> code) {
  const auto centimetres = code ? PathLengthText(*code) : std::nullopt;
  if (!centimetres) return;
  path_length_ = text::ParseTypedNumber(*centimetres);
  if (path_length_) AddSettingValue("cell path length", AsmQuantity(*path_length_, kAsmCentimetre));
}

AsmJson AsmDocument::DeviceSystem() const {
  AsmJson device = AsmJson::object();
  device["device type"] = kInstrumentType;
  AsmJson system = AsmJson::object();
  system["device identifier"] = kNotKnown;
  system["model number"] = kNotKnown;
  system["device document"] = AsmJson::array({std::move(device)});
  return system;
}

AsmJson AsmDocument::DataSystem() const {
  AsmJson system = AsmJson::object();
  system["file name"] = source_.file_name;
  system["UNC path"] = source_.path;
  system["ASM converter name"] = kConverterName;
  system["ASM converter version"] = KORVANTA_VERSION;
  return system;
}

AsmJson AsmDocument::Finish() && {
  if (measurements_.empty()) {
    throw AsmRefusal(source_.file_name +
                     " holds no absorbance reading; an ASM document needs at least one.");
  }
  AsmJson aggregate = AsmJson::object();
  aggregate["measurement time"] = source_.measurement_time;
  aggregate["experiment type"] = source_.experiment;
  aggregate["measurement document"] = std::move(measurements_);
  if (!processed_.empty()) {
    aggregate["processed data aggregate document"]["processed data document"] =
        std::move(processed_);
  }
  settings_["absorbance unit"] = kAbsorbanceUnitNote;
  if (!source_.measurement_time_origin.empty()) {
    settings_["measurement time origin"] = source_.measurement_time_origin;
  }
  if (!source_.warnings.empty()) settings_["reading warnings"] = source_.warnings;
  if (!notes_.empty()) settings_["notes"] = notes_;
  aggregate["custom information document"] = std::move(settings_);

  AsmJson spectrophotometry = AsmJson::object();
  spectrophotometry["measurement aggregate document"] = std::move(aggregate);

  AsmJson body = AsmJson::object();
  body["device system document"] = DeviceSystem();
  body["data system document"] = DataSystem();
  body["spectrophotometry document"] = AsmJson::array({std::move(spectrophotometry)});
  if (!calculated_.empty()) {
    body["calculated data aggregate document"]["calculated data document"] = std::move(calculated_);
  }
  AsmJson document = AsmJson::object();
  document["$asm.manifest"] = kAsmManifest;
  document["spectrophotometry aggregate document"] = std::move(body);
  return document;
}

}  // namespace korvanta
