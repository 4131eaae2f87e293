// brad.xlsx and concentration.xlsx: the Protein standard-curve report (colorimetric methods)
// and the Concentration report (standard curve or K factor). Both writers fill the same
// layout; only the file and its title differ.
//
// Rows the writer relies on: header fields B1..B10 (A7 is rewritten by the writer), row 11
// the wavelength row it inserts copies of, rows 13-15 the standards block (13 heading,
// 14 pattern, 15 spacer) that K-factor reports delete, row 16 the equation (B16) and
// correlation (C16), row 18 the table heading with C18 the first wavelength column, row 19
// the sample pattern row. Wavelength columns are inserted at D, so D18/E18 (OD value,
// concentration) move right with their columns.

#include "template_book.h"
#include "template_makers.h"

namespace korvanta::templates {
namespace {

void MakeStandardCurveTemplate(const std::filesystem::path& file, const char* title) {
  TemplateBook book(file, title);
  TemplateSheet& sheet = book.Sheet();

  sheet.Title('C', 1, title);
  sheet.HeaderFields("Method", {"Path length (cm)", "Dilution factor", "Unit", "Calibration",
                                "No. of wavelengths"});
  sheet.ListPatternRow(11, 'B');

  // The standards are a list in the header's look rather than a bordered table: columns
  // inserted at D take C's format row by row, and borders in C would box empty cells.
  sheet.ListHeader(13, {"STD No.", "Concentration", "OD"});
  sheet.ListPatternRow(14, 'C');

  sheet.ValueCell('A', 15);
  sheet.Field(16, "Equation");
  sheet.ValueCell('C', 16);

  sheet.TableHeader(18, 'A', {"No.", "Sample ID", "WL1 OD Value", "OD Value", "Concentration"});
  sheet.PatternRow(19, 'E');

  sheet.ColumnWidth('A', 'A', 20);
  sheet.ColumnWidth('B', 'B', 30);
  sheet.ColumnWidth('C', 'E', 15);
  // The printed pages repeat the sample table's heading; the print titles move with it.
  sheet.PrintSetup(Orientation::kLandscape, 18);
  book.Save();
}

}  // namespace

void MakeBradTemplate(const std::filesystem::path& folder) {
  MakeStandardCurveTemplate(folder / "brad.xlsx", "Protein Assay Report");
}

void MakeConcentrationTemplate(const std::filesystem::path& folder) {
  MakeStandardCurveTemplate(folder / "concentration.xlsx", "Concentration Report");
}

}  // namespace korvanta::templates
