// The header cells both DNA/RNA reports fill from the head both forms of the file share.
#pragma once

namespace korvanta {

class ReportSheet;
struct DnaRnaHead;

// B1 to B9: file name, nucleic acid (named for a dye-labelled measurement where
// `dye_labelled`), time, sample name, path length, dilution factor, background and factor.
void WriteDnaRnaHead(ReportSheet& c, const DnaRnaHead& head, bool dye_labelled);

}  // namespace korvanta
