#include "reports/standard_curve_body.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "formats/code_tables.h"
#include "formats/protein_code_tables.h"
#include "reports/protein_limits.h"
#include "reports/report_head.h"
#include "reports/report_limits.h"
#include "reports/report_sheet.h"
#include "reports/sample_rows.h"
#include "reports/span_text.h"
#include "text/number_format.h"

namespace korvanta {

namespace {

// Template rows: the wavelength pattern row, the standards block (header, pattern row and a
// blank row), the equation row, the sample table header and the sample pattern row.
constexpr int kWavelengthRow = 11;
constexpr int kStandardsHeaderRow = 13;
constexpr int kStandardRow = 14;
constexpr int kStandardsBlankRow = 15;
constexpr int kStandardsBlockRows = 3;
constexpr int kEquationRow = 16;
constexpr int kTableHeaderRow = 18;
constexpr int kSampleRow = 19;

constexpr int kWavelengthDecimals = 4;

void WriteHeader(ReportSheet& c, const StandardCurveRecord& record) {
  WriteReportHead(c, StandardCurveMethodText(record.opening.MethodCode()), record.sample_name);
  if (record.pathlength) WritePathLength(c, 'B', 6, *record.pathlength);
  c.WriteTextCell('A', 7, "Dilution factor");
  c.WriteTextCell('B', 7, record.dilution_factor);
  // The curve's y axis names the unit as B8 does; without one, or where a user's template
  // titles the axis otherwise, the template's title stays.
  if (const auto unit = StandardCurveUnitText(record.unit_style)) {
    c.WriteTextCell('B', 8, *unit);
    c.SetChartYAxisTitle("Concentration", "Concentration (" + std::string(*unit) + ")");
  }
  if (record.calibration_mode) {
    if (const auto mode = CalibrationModeText(*record.calibration_mode)) {
      c.WriteTextCell('B', 9, *mode);
    }
  }
  c.WriteIntegerCell('B', 10, static_cast<std::int32_t>(record.wavelengths.size()));
  c.WriteTextCell('B', kEquationRow, EquationText(record.k0, record.k1));
  c.WriteTextCell('C', kEquationRow, record.r ? "(R = " + *record.r + ")" : std::string());
}

// One column per wavelength before the OD value and the concentration; the template's
// columns from D on move right to make room.
void WriteSampleTable(ReportSheet& c, const StandardCurveRecord& record) {
  const int wl_count = static_cast<int>(record.wavelengths.size());
  if (wl_count > 1) c.InsertColumns(wl_count - 1, "D:D");
  for (int j = 0; j < wl_count; ++j) {
    c.WriteTextCell(Col('C') + j, kTableHeaderRow, "WL" + std::to_string(j + 1) + " OD Value");
  }
  WriteSampleRows(
      c, kSampleRow, record.samples, [&c, wl_count](int row, const CurveSample& sample) {
        for (int j = 0; j < wl_count; ++j) {
          c.WriteTextCell(Col('C') + j, row, sample.wl_od_values[static_cast<std::size_t>(j)]);
        }
        c.WriteTextCell(Col('C') + wl_count, row, sample.od_value);
        c.WriteTextCell(Col('D') + wl_count, row, sample.concentration);
      });
}

void WriteStandards(ReportSheet& c, const StandardCurveRecord& record) {
  if (!record.IsStandardCurve()) {
    c.DeleteRows(kStandardsBlockRows, RowSpanText(kStandardsHeaderRow, kStandardsHeaderRow));
    return;
  }
  const int std_count = static_cast<int>(record.standards.size());
  c.WriteTextCell('A', kStandardsHeaderRow, "STD No.");
  c.WriteTextCell('A', kStandardsBlankRow, "");
  if (std_count > 1) {
    c.InsertCopiedRows(std_count - 1, RowSpanText(kStandardRow, kStandardRow));
  }
  for (int k = 0; k < std_count; ++k) {
    const CurveStandard& standard = record.standards[static_cast<std::size_t>(k)];
    const int row = kStandardRow + k;
    c.WriteIntegerCell('A', row, k + 1);
    c.WriteTextCell('B', row, standard.first);
    c.WriteTextCell('C', row, standard.second);
  }
}

void WriteWavelengths(ReportSheet& c, const StandardCurveRecord& record) {
  const int wl_count = static_cast<int>(record.wavelengths.size());
  if (wl_count > 1) c.InsertCopiedRows(wl_count - 1, RowSpanText(kWavelengthRow, kWavelengthRow));
  for (int j = 0; j < wl_count; ++j) {
    const int row = kWavelengthRow + j;
    c.WriteTextCell('A', row, "WL" + std::to_string(j + 1));
    c.WriteTextCell(
        'B', row,
        text::FormatDecimal(record.wavelengths[static_cast<std::size_t>(j)], kWavelengthDecimals));
  }
}

}  // namespace

void StandardCurveBody(ReportSheet& c, const StandardCurveRecord& record) {
  WriteHeader(c, record);
  WriteSampleTable(c, record);
  WriteStandards(c, record);
  WriteWavelengths(c, record);
}

namespace {

// The grown sheet ends, in standard-curve mode, at row 16 + W + S + N; otherwise the three
// standards rows are gone and it ends at row 14 + W + N. An empty block keeps its template
// row, so it still takes one row.
constexpr int kCurveRowsBesideBlocks = kSampleRow - 3;
constexpr int kFactorRowsBesideBlocks = kCurveRowsBesideBlocks - (kStandardsBlockRows - 1);

int Occupied(int count) { return std::max(count, 1); }

int StandardRows(bool curve, int standards) { return curve ? Occupied(standards) : 0; }

// Columns inserted for the wavelengths take C's format in every row, so each standard row
// and each sample row spans about W + 4 cells.
std::int64_t CellsPerRow(int wavelengths) { return Occupied(wavelengths) + 4; }

int AtMost(std::int64_t rows_by_cells, int rows_by_sheet) {
  return static_cast<int>(
      std::max<std::int64_t>(0, std::min<std::int64_t>(rows_by_cells, rows_by_sheet)));
}

// The sample block takes a row at least.
int MaxWavelengths(bool curve, int standards) {
  const int standard_rows = StandardRows(curve, standards);
  const int rows_for_wavelengths =
      curve ? workbook::kMaxRows - kCurveRowsBesideBlocks - standard_rows - 1
            : workbook::kMaxRows - kFactorRowsBesideBlocks - 1;
  return std::min(kMaxProteinWavelengths,
                  AtMost(kMaxProteinTableCells / (standard_rows + 1) - 4, rows_for_wavelengths));
}

int MaxSamples(bool curve, int standards, int wavelengths) {
  const int standard_rows = StandardRows(curve, standards);
  const int rows_for_samples =
      curve ? workbook::kMaxRows - kCurveRowsBesideBlocks - Occupied(wavelengths) - standard_rows
            : workbook::kMaxRows - kFactorRowsBesideBlocks - Occupied(wavelengths);
  return AtMost(kMaxProteinTableCells / CellsPerRow(wavelengths) - standard_rows, rows_for_samples);
}

}  // namespace

// The wavelength and sample blocks take a row each at least.
StandardCurveLimits StandardCurveReportLimits() {
  return {AtMost(kMaxProteinTableCells / CellsPerRow(1) - 1,
                 workbook::kMaxRows - kCurveRowsBesideBlocks - 2),
          &MaxWavelengths, &MaxSamples};
}
}  // namespace korvanta
