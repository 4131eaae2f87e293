#include "formats/standard_curve_format.h"

#include "formats/optional_code.h"

namespace korvanta {

StandardCurveRecord ReadStandardCurveBody(ExportFile& file, const Opening& opening,
                                          const StandardCurveLimits& limits) {
  StandardCurveRecord record;
  record.opening = opening;
  record.sample_name = file.ReadLine("sample_name");
  record.pathlength = ReadOptionalCode(file, "pathlength");
  record.dilution_factor = file.ReadToken("dilution_factor");
  record.unit_style = file.ReadToken("unit_style");
  record.std_number = file.ReadCount("std_number", limits.standards);
  record.calibration_mode = ReadOptionalCode(file, "calibration_mode");
  const bool curve = record.IsStandardCurve();
  const int wl_number = file.ReadCount("wl_number", limits.wavelengths(curve, record.std_number));
  for (int j = 0; j < wl_number; ++j) {
    const float wavelength = file.ReadFloat("wavelength");
    if (file.EndedEarly()) break;
    record.wavelengths.push_back(wavelength);
  }

  if (curve) {
    for (int k = 0; k < record.std_number; ++k) {
      CurveStandard standard;
      standard.first = file.ReadToken("standard");
      if (file.EndedEarly()) break;
      standard.second = file.ReadToken("standard");
      record.standards.push_back(std::move(standard));
    }
  }

  record.k0 = file.ReadToken("k0");
  record.k1 = file.ReadToken("k1");
  if (curve) record.r = file.ReadToken("R");

  const int sample_number =
      file.ReadCount("sample_number", limits.samples(curve, record.std_number, wl_number));
  const std::size_t value_count = record.wavelengths.size();
  for (int i = 0; i < sample_number; ++i) {
    CurveSample sample;
    sample.sample_id = file.ReadLine("sample_id");
    // Samples the count promises past the end of the file get no rows.
    if (file.EndedEarly()) break;
    sample.wl_od_values.reserve(value_count);
    for (std::size_t j = 0; j < value_count; ++j) {
      sample.wl_od_values.push_back(file.ReadToken("sample_wl_od_value"));
    }
    sample.od_value = file.ReadToken("od_value");
    sample.concentration = file.ReadToken("concentration");
    record.samples.push_back(std::move(sample));
  }
  return record;
}

std::string EquationText(std::string_view k0, std::string_view k1) {
  std::string text = "CONC = ";
  text += k1;
  text += " * OD ";
  if (!k0.empty() && k0.front() == '-') {
    text += "- ";
    text += k0.substr(1);
  } else {
    text += "+ ";
    text += k0;
  }
  return text;
}

}  // namespace korvanta
