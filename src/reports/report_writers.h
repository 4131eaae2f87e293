// One writer per data type and method variant. Each converts the export file named by the
// conversion state from start to end, or hands it to a more specialised writer.
#pragma once

namespace korvanta {

class Conversion;

void WriteProteinReport(Conversion& c);
void WriteProteinUvReport(Conversion& c);
void WriteProteinLabellingReport(Conversion& c);
void WriteConcentrationReport(Conversion& c);
void WriteDnaRnaReport(Conversion& c);
void WriteDnaRnaLabellingReport(Conversion& c);
void WriteKineticsReport(Conversion& c);
void WritePhotometryReport(Conversion& c);
void WriteTmReport(Conversion& c);
void WriteWlScanReport(Conversion& c);
void WriteOd600Report(Conversion& c);
void WriteOd600DensityReport(Conversion& c);

}  // namespace korvanta
