// brad6_2.xlsx: the Protein labelling report (dye-labelled protein, UV method code 2).
//
// Rows the writer relies on: header fields B1, B3 and B5..B17 (B2 and B4 are left to the
// user), F19 the dye column heading it rewrites with the dye's wavelength, row 19 the
// table heading, row 20 the sample pattern row it copies downwards.

#include "template_book.h"
#include "template_makers.h"

namespace korvanta::templates {

void MakeBrad62Template(const std::filesystem::path& folder) {
  TemplateBook book(folder / "brad6_2.xlsx", "Protein Labelling Report");
  TemplateSheet& sheet = book.Sheet();

  sheet.Title('C', 1, "Protein Labelling Report");
  sheet.HeaderFields(
      kInstrumentLabel,
      {"Path length (cm)", "Dilution factor", "Background", "A280 factor", "A260 factor", "Protein",
       "Dye", "Protein ext. coeff.", "Dye OD max", "Dye ext. coeff.", "Dye correction", "Unit"});

  sheet.TableHeader(19, 'A',
                    {"No.", "Sample ID", "A260", "A280", "A320", "Dye", "A260/A280",
                     "Protein conc.", "Dye conc.", "Degree of labelling"});
  sheet.PatternRow(20, 'J');

  sheet.ColumnWidth('A', 'A', 20);
  sheet.ColumnWidth('B', 'B', 30);
  sheet.ColumnWidth('C', 'I', 12);
  sheet.ColumnWidth('J', 'J', 20);
  sheet.PrintSetup(Orientation::kLandscape, 19);
  book.Save();
}

}  // namespace korvanta::templates
