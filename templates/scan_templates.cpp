// kinetics.xlsx, tm.xlsx and wlscan.xlsx: the scan reports, each with its chart. Their data
// table is alike: the position of each point (time, temperature, wavelength) in A and its
// reading in B, the pattern row copied downwards. The chart goes to the right of the header,
// from about D2, so column D onwards stays empty there.

#include "template_book.h"
#include "template_makers.h"

namespace korvanta::templates {
namespace {

void ScanTable(TemplateSheet& sheet, int heading_row, const char* position_heading) {
  sheet.TableHeader(heading_row, 'A', {position_heading, "Reading"});
  sheet.PatternRow(heading_row + 1, 'B');

  sheet.ColumnWidth('A', 'A', 18);
  sheet.ColumnWidth('B', 'B', 24);
  sheet.ColumnWidth('C', 'C', 3);
  sheet.PrintSetup(Orientation::kLandscape, heading_row);
}

}  // namespace

// Kinetics (time scan at one wavelength). Rows the writer relies on: header fields B1, B3 and
// B5..B11, row 13 the table heading, row 14 the data pattern row.
void MakeKineticsTemplate(const std::filesystem::path& folder) {
  TemplateBook book(folder / "kinetics.xlsx", "Kinetics Report");
  TemplateSheet& sheet = book.Sheet();

  sheet.Title('D', 1, "Kinetics Report");
  sheet.HeaderFields(kInstrumentLabel, {"Data mode", "Path length (cm)", "Wavelength (nm)",
                                        "Scan time (s)", "Interval (s)", "Data points"});
  ScanTable(sheet, 13, "Time (s)");
  book.Save();
}

// TM (melting curve). Rows the writer relies on: header fields B1, B3 and B5..B14, row 16 the
// table heading, row 17 the data pattern row.
void MakeTmTemplate(const std::filesystem::path& folder) {
  TemplateBook book(folder / "tm.xlsx", "Melting Curve Report");
  TemplateSheet& sheet = book.Sheet();

  sheet.Title('D', 1, "Melting Curve (TM) Report");
  sheet.HeaderFields(kInstrumentLabel,
                     {"Path length (cm)", "Data mode", "Start temp. (°C)", "End temp. (°C)",
                      "Heating rate", "Temp. step (°C)", "Equilibration time", "K", "Data points"});
  ScanTable(sheet, 16, "Temp (°C)");
  book.Save();
}

// WL Scan (wavelength scan). Rows the writer relies on: header fields
// B1, B3 and B5..B11, row 13 the table heading, row 14 the data pattern row.
void MakeWlScanTemplate(const std::filesystem::path& folder) {
  TemplateBook book(folder / "wlscan.xlsx", "Wavelength Scan Report");
  TemplateSheet& sheet = book.Sheet();

  sheet.Title('D', 1, "Wavelength Scan Report");
  sheet.HeaderFields(kInstrumentLabel, {"Data mode", "Path length (cm)", "Start WL (nm)",
                                        "End WL (nm)", "Interval (nm)", "Data points"});
  ScanTable(sheet, 13, "WL (nm)");
  book.Save();
}

}  // namespace korvanta::templates
