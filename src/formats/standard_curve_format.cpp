#include "formats/standard_curve_format.h"

#include <algorithm>
#include <cstdint>

#include "formats/optional_code.h"
#include "formats/protein_limits.h"
#include "workbook/cell_address.h"

namespace korvanta {

namespace {

using workbook::kMaxRows;

// The grown sheet ends, in standard-curve mode, at row 16 + W + S + N; otherwise the three
// standards rows are gone and it ends at row 14 + W + N. An empty block keeps its template
// row, so it still takes one row.
constexpr int kCurveRowsBesideBlocks = 16;
constexpr int kFactorRowsBesideBlocks = 14;

// Columns inserted for the wavelengths take C's format in every row, so each standard row
// and each sample row spans about W + 4 cells.

int Occupied(int count) { return std::max(count, 1); }

std::int64_t CellsPerRow(int wavelengths) { return Occupied(wavelengths) + 4; }

int AtMost(std::int64_t rows_by_cells, int rows_by_sheet) {
  return static_cast<int>(
      std::max<std::int64_t>(0, std::min<std::int64_t>(rows_by_cells, rows_by_sheet)));
}

}  // namespace

StandardCurveRecord ReadStandardCurveBody(ExportFile& file, const Opening& opening) {
  StandardCurveRecord record;
  record.method_code = opening.MethodCode();
  record.sample_name = file.ReadLine("sample_name");
  record.pathlength = ReadOptionalCode(file, "pathlength");
  record.dilution_factor = file.ReadToken("dilution_factor");
  record.unit_style = file.ReadToken("unit_style");
  // The wavelength and sample blocks take a row each at least.
  record.std_number = file.ReadCount(
      "std_number",
      AtMost(kMaxProteinTableCells / CellsPerRow(1) - 1, kMaxRows - kCurveRowsBesideBlocks - 2));
  record.calibration_mode = ReadOptionalCode(file, "calibration_mode");
  const bool curve = record.IsStandardCurve();
  const int standard_rows = curve ? Occupied(record.std_number) : 0;

  // The sample block takes a row at least.
  const int rows_for_wavelengths = curve ? kMaxRows - kCurveRowsBesideBlocks - standard_rows - 1
                                         : kMaxRows - kFactorRowsBesideBlocks - 1;
  const int wl_number = file.ReadCount(
      "wl_number",
      std::min(kMaxProteinWavelengths,
               AtMost(kMaxProteinTableCells / (standard_rows + 1) - 4, rows_for_wavelengths)));
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

  const int rows_for_samples =
      curve ? kMaxRows - kCurveRowsBesideBlocks - Occupied(wl_number) - standard_rows
            : kMaxRows - kFactorRowsBesideBlocks - Occupied(wl_number);
  const int sample_number = file.ReadCount(
      "sample_number",
      AtMost(kMaxProteinTableCells / CellsPerRow(wl_number) - standard_rows, rows_for_samples));
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
