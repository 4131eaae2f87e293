// The body that Protein standard-curve and Concentration export files share, from the
// opening to the last sample record, read into one record before anything is written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/export_file.h"
#include "formats/export_opening.h"

namespace korvanta {

struct CurveStandard {
  std::string first;
  std::string second;
};

struct CurveSample {
  std::string sample_id;
  std::vector<std::string> wl_od_values;  // one per wavelength, in wavelength order
  std::string od_value;
  std::string concentration;
};

struct StandardCurveRecord {
  Opening opening;  // the three fields the file opens with
  std::string sample_name;
  std::optional<std::int32_t> pathlength;  // nothing when the file ended before it
  std::string dilution_factor;
  std::string unit_style;
  int std_number = 0;
  std::optional<std::int32_t> calibration_mode;
  std::vector<float> wavelengths;        // in nm; those the file holds
  std::vector<CurveStandard> standards;  // standard-curve mode only; those the file holds
  std::string k0;
  std::string k1;
  std::optional<std::string> r;      // the correlation text, standard-curve mode only
  std::vector<CurveSample> samples;  // those whose id the file holds

  // Mode 0 reads standards and R; every other mode, known or not, behaves as the K factor.
  bool IsStandardCurve() const { return calibration_mode == 0; }
};

// "CONC = <k1> * OD - <k0 without its minus>" for a k0 that starts with "-", otherwise
// "CONC = <k1> * OD + <k0>".
std::string EquationText(std::string_view k0, std::string_view k1);

// The most standards; then, asked once the calibration mode (`curve`: standard-curve mode) and
// the standards' count are known, the most wavelengths; then, with the wavelengths' count, the
// most samples.
struct StandardCurveLimits {
  int standards = 0;
  int (*wavelengths)(bool curve, int standards) = nullptr;
  int (*samples)(bool curve, int standards, int wavelengths) = nullptr;
};

// Reads on from the opening up to the last sample; a count beyond `limits` is refused as it is
// read.
StandardCurveRecord ReadStandardCurveBody(ExportFile& file, const Opening& opening,
                                          const StandardCurveLimits& limits);

}  // namespace korvanta
