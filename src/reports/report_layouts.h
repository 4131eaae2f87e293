// One layout per report variant: its record written into the sheet of the template it is laid
// out on. The Protein standard-curve, K factor and Concentration reports share
// StandardCurveBody (standard_curve_body.h).
#pragma once

namespace korvanta {

class ReportSheet;
struct PhotometryFile;
struct ProteinUvRecord;
struct ProteinLabellingRecord;
struct DnaRnaFile;
struct DnaRnaLabellingFile;
struct Od600File;
struct KineticsFile;
struct TmFile;
struct WlScanFile;

void LayOutPhotometry(ReportSheet& c, const PhotometryFile& record);
void LayOutProteinUv(ReportSheet& c, const ProteinUvRecord& record);
void LayOutProteinLabelling(ReportSheet& c, const ProteinLabellingRecord& record);
void LayOutDnaRna(ReportSheet& c, const DnaRnaFile& record);
void LayOutDnaRnaLabelling(ReportSheet& c, const DnaRnaLabellingFile& record);
void LayOutOd600CellCount(ReportSheet& c, const Od600File& record);
void LayOutOd600Density(ReportSheet& c, const Od600File& record);
void LayOutKinetics(ReportSheet& c, const KineticsFile& record);
void LayOutTm(ReportSheet& c, const TmFile& record);
void LayOutWlScan(ReportSheet& c, const WlScanFile& record);

}  // namespace korvanta
