// wlscan.xlsx: the WL Scan report (wavelength scan) with its chart.
//
// Rows the writer relies on: header fields B1, B3 and B5..B11, row 13 the table heading,
// row 14 the data pattern row it copies downwards (A wavelength, B reading). The chart goes
// to the right of the header, from about D2, so column D onwards stays empty there.

#include "template_book.h"
#include "template_makers.h"

namespace korvanta::templates {

void MakeWlScanTemplate(const std::filesystem::path& folder) {
  TemplateBook book(folder / "wlscan.xlsx", "Wavelength Scan Report");
  TemplateSheet& sheet = book.Sheet();

  sheet.Title('D', 1, "Wavelength Scan Report");
  sheet.Field(1, "File name");
  sheet.Field(2, "Instrument");  // left to the user, like the operator
  sheet.Field(3, "Date / time");
  sheet.Field(4, "Operator");
  sheet.Field(5, "Sample name");
  sheet.Field(6, "Data mode");
  sheet.Field(7, "Path length (cm)");
  sheet.Field(8, "Start WL (nm)");
  sheet.Field(9, "End WL (nm)");
  sheet.Field(10, "Interval (nm)");
  sheet.Field(11, "Data points");

  sheet.TableHeader(13, 'A', {"WL (nm)", "Reading"});
  sheet.PatternRow(14, 'B');

  sheet.ColumnWidth('A', 'A', 18);
  sheet.ColumnWidth('B', 'B', 24);
  sheet.ColumnWidth('C', 'C', 3);
  sheet.PrintSetup(Orientation::kLandscape, 13);
  book.Save();
}

}  // namespace korvanta::templates
