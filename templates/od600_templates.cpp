// od600.xlsx and OD600_OD.xlsx: the two OD600 reports, cell count (OD times a conversion
// factor) and optical density (the OD as measured). They share the header; the cell-count
// table has a column more.
//
// Rows the writers rely on: header fields B1, B3 and B5..B10 (A10 is rewritten by the
// writers), row 12 the table heading, row 13 the sample pattern row they copy downwards
// (A number, B sample ID, C OD, and in the cell-count report D cell count).

#include <initializer_list>

#include "template_book.h"
#include "template_makers.h"

namespace korvanta::templates {
namespace {

void MakeOd600Layout(const std::filesystem::path& file, const char* title,
                     std::initializer_list<const char*> table_headings, char last_column) {
  TemplateBook book(file, title);
  TemplateSheet& sheet = book.Sheet();

  sheet.Title('C', 1, title);
  sheet.HeaderFields(kInstrumentLabel,
                     {"Wavelength (nm)", "Path length (cm)", "Unit", "Factor", "Multiple"});

  sheet.TableHeader(12, 'A', table_headings);
  sheet.PatternRow(13, last_column);

  sheet.ColumnWidth('A', 'A', 18);
  sheet.ColumnWidth('B', 'B', 30);
  sheet.ColumnWidth('C', last_column, 14);
  sheet.PrintSetup(Orientation::kPortrait, 12);
  book.Save();
}

}  // namespace

void MakeOd600Template(const std::filesystem::path& folder) {
  MakeOd600Layout(folder / "od600.xlsx", "OD600 Cell Count Report",
                  {"No.", "Sample ID", "OD", "Cell count"}, 'D');
}

void MakeOd600OdTemplate(const std::filesystem::path& folder) {
  MakeOd600Layout(folder / "OD600_OD.xlsx", "OD600 Report", {"No.", "Sample ID", "OD"}, 'C');
}

}  // namespace korvanta::templates
