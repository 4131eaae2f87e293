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
  sheet.Field(1, "File name");
  sheet.Field(2, "Instrument");  // left to the user, like the operator
  sheet.Field(3, "Date / time");
  sheet.Field(4, "Operator");
  sheet.Field(5, "Sample name");
  sheet.Field(6, "Path length (cm)");
  sheet.Field(7, "Dilution factor");
  sheet.Field(8, "Background");
  sheet.Field(9, "A280 factor");
  sheet.Field(10, "A260 factor");
  sheet.Field(11, "Protein");
  sheet.Field(12, "Dye");
  sheet.Field(13, "Protein ext. coeff.");
  sheet.Field(14, "Dye OD max");
  sheet.Field(15, "Dye ext. coeff.");
  sheet.Field(16, "Dye correction");
  sheet.Field(17, "Unit");

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
