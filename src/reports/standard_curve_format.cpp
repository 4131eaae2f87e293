#include "reports/standard_curve_format.h"

#include <algorithm>

#include "reports/optional_code.h"
#include "workbook/cell_address.h"

namespace korvanta {

namespace {

using workbook::kMaxColumns;
using workbook::kMaxRows;

// The grown sheet ends, in standard-curve mode, at row 16 + W + S + N; otherwise the three
// standards rows are gone and it ends at row 14 + W + N. An empty block keeps its template
// row, so it still takes one row. The sample table reaches column D + W.
constexpr int kCurveRowsBesideBlocks = 16;
constexpr int kFactorRowsBesideBlocks = 14;
constexpr int kColumnsBesideWavelengths = 4;

int Occupied(int count) { return std::max(count, 1); }

}  // namespace

StandardCurveRecord ReadStandardCurveBody(ExportFile& file) {
  StandardCurveRecord record;
  record.method_code = TextToInteger(file.ReadLine("method_str"));
  record.sample_name = file.ReadLine("sample_name");
  record.pathlength = ReadOptionalCode(file, "pathlength");
  record.dilution_factor = file.ReadToken("dilution_factor");
  record.unit_style = file.ReadToken("unit_style");
  // The wavelength and sample blocks take a row each at least.
  record.std_number = file.ReadCount("std_number", kMaxRows - kCurveRowsBesideBlocks - 2);
  record.calibration_mode = ReadOptionalCode(file, "calibration_mode");
  const bool curve = record.IsStandardCurve();

  // The sample block takes a row at least.
  const int rows_for_wavelengths =
      curve ? kMaxRows - kCurveRowsBesideBlocks - Occupied(record.std_number) - 1
            : kMaxRows - kFactorRowsBesideBlocks - 1;
  const int wl_number = file.ReadCount(
      "wl_number", std::min(kMaxColumns - kColumnsBesideWavelengths, rows_for_wavelengths));
  record.wavelengths.reserve(static_cast<std::size_t>(wl_number));
  for (int j = 0; j < wl_number; ++j) {
    const float wavelength = file.ReadFloat("wavelength");
    record.wavelengths.push_back(file.EndedEarly() ? std::nullopt
                                                   : std::optional<float>(wavelength));
  }

  if (curve) {
    record.standards.reserve(static_cast<std::size_t>(record.std_number));
    for (int k = 0; k < record.std_number; ++k) {
      CurveStandard standard;
      standard.first = file.ReadToken("standard");
      standard.second = file.ReadToken("standard");
      record.standards.push_back(std::move(standard));
    }
  }

  record.k0 = file.ReadToken("k0");
  record.k1 = file.ReadToken("k1");
  if (curve) record.r = file.ReadToken("R");

  const int rows_for_samples =
      curve ? kMaxRows - kCurveRowsBesideBlocks - Occupied(wl_number) - Occupied(record.std_number)
            : kMaxRows - kFactorRowsBesideBlocks - Occupied(wl_number);
  const int sample_number = file.ReadCount("sample_number", rows_for_samples);
  record.samples.reserve(static_cast<std::size_t>(sample_number));
  for (int i = 0; i < sample_number; ++i) {
    CurveSample sample;
    sample.sample_id = file.ReadLine("sample_id");
    sample.wl_od_values.reserve(static_cast<std::size_t>(wl_number));
    for (int j = 0; j < wl_number; ++j) {
      sample.wl_od_values.push_back(file.ReadToken("sample_wl_od_value"));
    }
    sample.od_value = file.ReadToken("od_value");
    sample.concentration = file.ReadToken("concentration");
    record.samples.push_back(std::move(sample));
  }
  return record;
}

}  // namespace korvanta
