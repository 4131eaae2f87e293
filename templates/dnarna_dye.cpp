// dnarna_dye.xlsx: the DNA/RNA labelling report (dye-labelled nucleic acid).
//
// Rows the writer relies on: header fields B1..B3 and B5..B14, row 16 the table heading,
// row 17 the sample pattern row it copies downwards. Nothing is inserted or deleted. Row 15
// holds the legend of the purity marks on H (A260/A280) and I (A260/A230).

#include "purity_flags.h"
#include "template_book.h"
#include "template_makers.h"

namespace korvanta::templates {

void MakeDnaRnaDyeTemplate(const std::filesystem::path& folder) {
  TemplateBook book(folder / "dnarna_dye.xlsx", "DNA/RNA Labelling Report");
  TemplateSheet& sheet = book.Sheet();

  sheet.Title('C', 1, "DNA/RNA Labelling Report");
  sheet.HeaderFields("Nucleic acid",
                     {"Path length (cm)", "Dilution factor", "Background", "Factor", "Unit", "Dye",
                      "Dye OD max", "Dye ext. coeff.", "Dye correction"});

  sheet.TableHeader(16, 'A',
                    {"No.", "Sample ID", "A230", "A260", "A280", "A320", "Dye", "A260/A280",
                     "A260/A230", "Concentration", "Dye conc.", "Frequency"});
  sheet.PatternRow(17, 'L');
  PurityFlags(sheet, 'H', 'I', 17, 15);

  sheet.ColumnWidth('A', 'A', 18);
  sheet.ColumnWidth('B', 'B', 30);
  sheet.ColumnWidth('C', 'I', 11);
  sheet.ColumnWidth('J', 'L', 14);
  sheet.PrintSetup(Orientation::kLandscape, 16);
  book.Save();
}

}  // namespace korvanta::templates
