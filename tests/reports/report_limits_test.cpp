#include "reports/report_limits.h"

#include <gtest/gtest.h>

#include <string>

#include "formats/export_opening.h"

namespace korvanta {
namespace {

constexpr int kSheetRows = 1048576;
constexpr int kTableCells = 1024 * 1024;

// A list that starts on its template's row R holds the rows from R to the sheet's last.
TEST(ReportLimits, ListsRunFromTheirTemplateRowToTheSheetsLastRow) {
  struct Case {
    const char* list;
    int limit;
    int first_row;
  };
  const Case cases[] = {
      {"Kinetics points", KineticsMaxPoints(), 14},
      {"TM points", TmMaxPoints(), 17},
      {"WL Scan points", WlScanMaxPoints(), 14},
      {"DNA/RNA samples", DnaRnaReportLimits().samples, 13},
      {"DNA/RNA labelling samples", DnaRnaLabellingReportLimits().samples, 17},
      {"OD600 cell count samples", Od600CellCountReportLimits().samples, 13},
      {"OD600 optical density samples", Od600DensityReportLimits().samples, 13},
  };
  for (const Case& c : cases) EXPECT_EQ(c.limit, kSheetRows - c.first_row + 1) << c.list;
}

// Where the wavelengths widen every row, the cells bind before the rows do.
TEST(ReportLimits, WideTablesAreBoundByTheirCells) {
  const PhotometryLimits photometry = PhotometryReportLimits();
  EXPECT_EQ(photometry.wavelengths, 1024);
  EXPECT_EQ(photometry.samples(0), kSheetRows - 10);
  EXPECT_EQ(photometry.samples(1), kSheetRows - 11);  // the sheet's rows bind first
  EXPECT_EQ(photometry.samples(8), kSheetRows / 8 - 8);
  EXPECT_EQ(photometry.samples(1024), 0);

  // A Protein UV sample row spans 6 cells, a labelling one 10.
  EXPECT_EQ(ProteinUvReportLimits().samples, kTableCells / 6);
  EXPECT_EQ(ProteinLabellingReportLimits().samples, kTableCells / 10);

  const StandardCurveLimits curve = StandardCurveReportLimits();
  EXPECT_EQ(curve.wavelengths(false, 0), 1024);
  // A sample row spans its wavelength columns and 4 more; in standard-curve mode the standards'
  // rows take their share; in K factor mode there are none, whatever the file's count.
  EXPECT_EQ(curve.samples(true, 2, 1), kSheetRows / 5 - 2);
  EXPECT_EQ(curve.samples(false, 2, 1), kSheetRows / 5);
  EXPECT_EQ(curve.samples(false, 0, 1000), kSheetRows / 1004);
}

// Read from method_str on, held to what the report can hold.
StandardCurveRecord ReadForTheReport(const std::string& text) {
  ExportFile file(text, "test.pro");
  Opening opening;
  opening.method_str = file.ReadLine("method_str");
  return ReadStandardCurveBody(file, opening, StandardCurveReportLimits());
}

TEST(ReportLimits, StandardCurveCountsTheReportCannotHoldAreRefused) {
  EXPECT_NO_THROW(ReadForTheReport("1\nx\n4\n1\n00\n0\n1\n1024\n"));
  EXPECT_THROW(ReadForTheReport("1\nx\n4\n1\n00\n0\n1\n1025\n"), ExportFileError);
  EXPECT_THROW(ReadForTheReport("1\nx\n4\n1\n00\n2000000\n0\n"), ExportFileError);
  EXPECT_THROW(ReadForTheReport("1\nx\n4\n1\n00\n0\n1\n1\n280\n0\n1\n1048562\n"), ExportFileError);
  // Standards and samples share the table cells: together they must fit.
  std::string standards;
  for (int k = 0; k < 100000; ++k) standards += "1 2\n";
  const std::string head = "1\nx\n4\n1\n00\n100000\n0\n1\n280\n" + standards + "0\n1\n0.9\n";
  EXPECT_THROW(ReadForTheReport(head + "150000\n"), ExportFileError);
  EXPECT_EQ(ReadForTheReport(head + "100000\n").standards.size(), 100000u);
}

}  // namespace
}  // namespace korvanta
