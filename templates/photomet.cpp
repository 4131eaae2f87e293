// photomet.xlsx: the Photometry report (every sample read at a list of wavelengths).
//
// Rows the writer relies on: header fields B1, B3 and B5..B8, row 9 the wavelength row it
// inserts copies of, row 11 the table heading with C11 the first wavelength column, row 12
// the sample pattern row. Wavelength columns are inserted at C and take the format of B, so
// column B carries no border above the table; and no title can sit in row 1 right of B
// without drifting with the columns, so the title is in the printed page header.

#include "template_book.h"
#include "template_makers.h"

namespace korvanta::templates {

void MakePhotometTemplate(const std::filesystem::path& folder) {
  TemplateBook book(folder / "photomet.xlsx", "Photometry Report");
  TemplateSheet& sheet = book.Sheet();

  sheet.PageHeaderTitle("Photometry Report");
  sheet.HeaderFields(kInstrumentLabel, {"Data mode", "Path length (cm)", "No. of wavelengths"});
  sheet.ListPatternRow(9, 'B');

  sheet.TableHeader(11, 'A', {"No.", "Sample ID", "WL1"});
  sheet.PatternRow(12, 'C');

  // B and C share a width: the inserted wavelength columns take B's.
  sheet.ColumnWidth('A', 'A', 20);
  sheet.ColumnWidth('B', 'C', 16);
  // The printed pages repeat the table heading; the print titles move with it.
  sheet.PrintSetup(Orientation::kLandscape, 11);
  book.Save();
}

}  // namespace korvanta::templates
