// tm.xlsx: the TM report (melting curve) with its chart.
//
// Rows the writer relies on: header fields B1, B3 and B5..B14, row 16 the table heading,
// row 17 the data pattern row it copies downwards (A temperature, B reading). The chart goes
// to the right of the header, from about D2, so column D onwards stays empty there.

#include "template_book.h"
#include "template_makers.h"

namespace korvanta::templates {

void MakeTmTemplate(const std::filesystem::path& folder) {
  TemplateBook book(folder / "tm.xlsx", "Melting Curve Report");
  TemplateSheet& sheet = book.Sheet();

  sheet.Title('D', 1, "Melting Curve (TM) Report");
  sheet.Field(1, "File name");
  sheet.Field(2, "Instrument");  // left to the user, like the operator
  sheet.Field(3, "Date / time");
  sheet.Field(4, "Operator");
  sheet.Field(5, "Sample name");
  sheet.Field(6, "Path length (cm)");
  sheet.Field(7, "Data mode");
  sheet.Field(8, "Start temp. (°C)");
  sheet.Field(9, "End temp. (°C)");
  sheet.Field(10, "Heating rate");
  sheet.Field(11, "Temp. step (°C)");
  sheet.Field(12, "Equilibration time");
  sheet.Field(13, "K");
  sheet.Field(14, "Data points");

  sheet.TableHeader(16, 'A', {"Temp (°C)", "Reading"});
  sheet.PatternRow(17, 'B');

  sheet.ColumnWidth('A', 'A', 18);
  sheet.ColumnWidth('B', 'B', 24);
  sheet.ColumnWidth('C', 'C', 3);
  sheet.PrintSetup(Orientation::kLandscape, 16);
  book.Save();
}

}  // namespace korvanta::templates
