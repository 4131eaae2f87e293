// brad6.xlsx: the Protein UV report (absorbance at 260, 280 and 320 nm).
//
// Rows the writer relies on: header fields B1..B3 and B5..B12, row 14 the table heading,
// row 15 the sample pattern row it copies downwards. Nothing is inserted or deleted.

#include "template_book.h"
#include "template_makers.h"

namespace korvanta::templates {

void MakeBrad6Template(const std::filesystem::path& folder) {
  TemplateBook book(folder / "brad6.xlsx", "Protein UV Report");
  TemplateSheet& sheet = book.Sheet();

  sheet.Title('C', 1, "Protein UV Report");
  sheet.HeaderFields("Method", {"Path length (cm)", "Dilution factor", "Background", "A280 factor",
                                "A260 factor", "Protein", "Unit"});

  sheet.TableHeader(14, 'A', {"No.", "Sample ID", "A260", "A280", "A320", "A280/A260"});
  sheet.PatternRow(15, 'F');

  sheet.ColumnWidth('A', 'A', 18);
  sheet.ColumnWidth('B', 'B', 30);
  sheet.ColumnWidth('C', 'F', 12);
  sheet.PrintSetup(Orientation::kPortrait, 14);
  book.Save();
}

}  // namespace korvanta::templates
