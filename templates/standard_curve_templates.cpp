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
//
// What the spreadsheet draws and marks from the cells: the standard curve beside the
// standards, and sample concentrations outside the standards' range. Both read the
// standards through ranges that grow as the writer inserts standard rows: the chart's
// series name the pattern row 14 (the engine grows a chart range over the copies inserted
// at it), the marks' MIN and MAX read rows 13-15, across the insertion point. The spacer
// row 15 holds the marks' legend, so a K-factor report, which has no standards and no marks,
// loses the legend with the standards block. Its chart stays, empty: its series lose their
// rows as a spreadsheet's do when rows are deleted, and a user's template may draw more on
// it than the standards.

#include "template_book.h"
#include "template_makers.h"

namespace korvanta::templates {
namespace {

// A sample's concentration (E19, the first cell of the column) outside the lowest to the
// highest standard concentration; texts, and reports without standards, are never marked.
constexpr const char* kOutsideStandards =
    "AND(ISNUMBER(E19),COUNT($B$13:$B$15)>0,"
    "OR(E19<MIN($B$13:$B$15),E19>MAX($B$13:$B$15)))";

// The standards' concentration (y) against their OD (x), as the equation CONC = k1 * OD + k0
// reads, with the spreadsheet's own least-squares line, its equation and R². Right of the
// sample table, whose columns it moves with, so that it covers no cell the writer fills.
void StandardCurveChart(TemplateBook& book) {
  lxw_chart* chart = book.AddChart(LXW_CHART_SCATTER);
  lxw_chart_series* series = chart_add_series(chart, "=Sheet1!$C$14:$C$14", "=Sheet1!$B$14:$B$14");
  chart_series_set_name(series, "Standards");
  chart_series_set_trendline(series, LXW_CHART_TRENDLINE_TYPE_LINEAR, 0);
  chart_series_set_trendline_equation(series);
  chart_series_set_trendline_r_squared(series);
  chart_title_set_name(chart, "Standard curve");
  // The titles of the standards' columns. The writer adds the unit of B8 to the y title's
  // text: a title linked to a cell shows in LibreOffice the text the template saved.
  chart_axis_set_name(chart->x_axis, "OD");
  chart_axis_set_name(chart->y_axis, "Concentration");
  chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
  book.Sheet().PlaceChart('F', 13, chart);
}

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
  sheet.Legend(15, 'B', "Marked", "concentration outside the standards' range");
  sheet.Field(16, "Equation");
  sheet.ValueCell('C', 16);

  sheet.TableHeader(18, 'A', {"No.", "Sample ID", "WL1 OD Value", "OD Value", "Concentration"});
  sheet.PatternRow(19, 'E');
  sheet.FlagCells("E19", kOutsideStandards);

  sheet.ColumnWidth('A', 'A', 20);
  sheet.ColumnWidth('B', 'B', 30);
  sheet.ColumnWidth('C', 'E', 15);
  StandardCurveChart(book);
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
