// dnarna.xlsx: the DNA/RNA report (absorbance at 230, 260, 280 and 320 nm).
//
// Rows the writer relies on: header fields B1..B3 and B5..B10, row 12 the table heading,
// row 13 the sample pattern row it copies downwards. Nothing is inserted or deleted. Row 11
// holds the legend of the purity marks on G (A260/A280) and H (A260/A230).

#include "purity_flags.h"
#include "template_book.h"
#include "template_makers.h"

namespace korvanta::templates {

void MakeDnaRnaTemplate(const std::filesystem::path& folder) {
  TemplateBook book(folder / "dnarna.xlsx", "DNA/RNA Report");
  TemplateSheet& sheet = book.Sheet();

  sheet.Title('C', 1, "DNA/RNA Report");
  sheet.HeaderFields("Nucleic acid",
                     {"Path length (cm)", "Dilution factor", "Background", "Factor", "Unit"});

  sheet.TableHeader(12, 'A',
                    {"No.", "Sample ID", "A230", "A260", "A280", "A320", "A260/A280", "A260/A230",
                     "Concentration"});
  sheet.PatternRow(13, 'I');
  PurityFlags(sheet, 'G', 'H', 13, 11);

  sheet.ColumnWidth('A', 'A', 18);
  sheet.ColumnWidth('B', 'B', 30);
  sheet.ColumnWidth('C', 'H', 11);
  sheet.ColumnWidth('I', 'I', 14);
  sheet.PrintSetup(Orientation::kLandscape, 12);
  book.Save();
}

}  // namespace korvanta::templates
