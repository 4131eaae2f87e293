// OD600_OD.xlsx: the OD600 optical-density report (the OD as measured).
//
// Rows the writer relies on: header fields B1, B3 and B5..B10 (A10 is rewritten by the
// writer), row 12 the table heading, row 13 the sample pattern row it copies downwards
// (A number, B sample ID, C OD).

#include "template_book.h"
#include "template_makers.h"

namespace korvanta::templates {

void MakeOd600OdTemplate(const std::filesystem::path& folder) {
  TemplateBook book(folder / "OD600_OD.xlsx", "OD600 Report");
  TemplateSheet& sheet = book.Sheet();

  sheet.Title('C', 1, "OD600 Report");
  sheet.Field(1, "File name");
  sheet.Field(2, "Instrument");  // left to the user, like the operator
  sheet.Field(3, "Date / time");
  sheet.Field(4, "Operator");
  sheet.Field(5, "Sample name");
  sheet.Field(6, "Wavelength (nm)");
  sheet.Field(7, "Path length (cm)");
  sheet.Field(8, "Unit");
  sheet.Field(9, "Factor");
  sheet.Field(10, "Multiple");

  sheet.TableHeader(12, 'A', {"No.", "Sample ID", "OD"});
  sheet.PatternRow(13, 'C');

  sheet.ColumnWidth('A', 'A', 18);
  sheet.ColumnWidth('B', 'B', 30);
  sheet.ColumnWidth('C', 'C', 14);
  sheet.PrintSetup(Orientation::kPortrait, 12);
  book.Save();
}

}  // namespace korvanta::templates
