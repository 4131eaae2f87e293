// Usual purity ranges, after Thermo Fisher's NanoDrop technical bulletin T009 ("260/280 and
// 260/230 Ratios"): A260/A280 about 1.8 for pure DNA and about 2.0 for pure RNA; A260/A230
// commonly 2.0 to 2.2 for pure nucleic acid. Marked: A260/A280 outside 1.7-2.0 for DNA
// (dsDNA, ssDNA, Oligo) or outside 1.9-2.2 for RNA, and A260/A230 outside 2.0-2.2. The type
// comes from B2 ("RNA", "dsDNA DYE" ...); a B2 naming no type marks no A260/A280. Texts such
// as "----" are never marked.
#include "purity_flags.h"

#include <string>

namespace korvanta::templates {
namespace {

std::string Cell(char column, int row) { return column + std::to_string(row); }

// `cell` is a number outside low..high.
std::string Outside(const std::string& cell, const char* low, const char* high) {
  return "OR(" + cell + "<" + low + "," + cell + ">" + high + ")";
}

}  // namespace

void PurityFlags(TemplateSheet& sheet, char a260_a280_column, char a260_a230_column, int row,
                 int legend_row) {
  const std::string a280 = Cell(a260_a280_column, row);
  const std::string rna =
      "AND(ISNUMBER(" + a280 + "),LEFT($B$2,3)=\"RNA\"," + Outside(a280, "1.9", "2.2") + ")";
  const std::string dna = "AND(ISNUMBER(" + a280 +
                          "),OR(ISNUMBER(SEARCH(\"DNA\",$B$2)),LEFT($B$2,5)=\"Oligo\")," +
                          Outside(a280, "1.7", "2.0") + ")";
  sheet.FlagCells(a280.c_str(), rna.c_str());
  sheet.FlagCells(a280.c_str(), dna.c_str());

  const std::string a230 = Cell(a260_a230_column, row);
  const std::string salts = "AND(ISNUMBER(" + a230 + ")," + Outside(a230, "2.0", "2.2") + ")";
  sheet.FlagCells(a230.c_str(), salts.c_str());

  // Above the table: the writer copies the sample row over the rows below it.
  sheet.Legend(legend_row, 'A', "Marked",
               "A260/A280 outside 1.7-2.0 (DNA) or 1.9-2.2 (RNA); A260/A230 outside 2.0-2.2");
}

}  // namespace korvanta::templates
