// What each report can hold, from the rows its layout grows and the size of a sheet. The
// registry gives these limits to the readers, which refuse a larger count as they read it,
// before its entries take memory; the ASM document and inspect, which come from the same
// reading, are held to them alike.
#pragma once

#include "formats/export_file.h"
#include "formats/photometry_format.h"
#include "formats/read_limits.h"
#include "formats/standard_curve_format.h"
#include "workbook/cell_address.h"

namespace korvanta {

// The rows of a sheet from `first_row` down to its last: the most entries a list that starts
// there can have.
constexpr int RowsFrom(int first_row) { return workbook::kMaxRows - first_row + 1; }

// A cell holds at most 32,767 characters.
inline constexpr FieldLimit kCellFieldLimit{32767, "a cell"};

PhotometryLimits PhotometryReportLimits();
// The Protein standard-curve, K factor and Concentration reports.
StandardCurveLimits StandardCurveReportLimits();
ListLimits ProteinUvReportLimits();
ListLimits ProteinLabellingReportLimits();
ListLimits DnaRnaReportLimits();
ListLimits DnaRnaLabellingReportLimits();
ListLimits Od600CellCountReportLimits();
ListLimits Od600DensityReportLimits();
int KineticsMaxPoints();
int TmMaxPoints();
int WlScanMaxPoints();

}  // namespace korvanta
