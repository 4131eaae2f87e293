// The ASM document of each report variant, built from the record its report is written from,
// so that the document and the report hold the same reading of the file.
#pragma once

#include "asm/asm_document.h"

namespace korvanta {

struct PhotometryFile;
struct StandardCurveRecord;
struct ProteinUvRecord;
struct ProteinLabellingRecord;
struct DnaRnaFile;
struct DnaRnaLabellingFile;
struct Od600File;
struct WlScanFile;
struct TmFile;
struct KineticsFile;

// One absorbance measurement per sample and wavelength.
AsmJson PhotometryAsm(const PhotometryFile& record, const AsmSource& source);
// Standards (standard-curve mode) and samples of the Protein and Concentration files, with each
// sample's OD value and concentration.
AsmJson StandardCurveAsm(const StandardCurveRecord& record, const AsmSource& source);
AsmJson ProteinUvAsm(const ProteinUvRecord& record, const AsmSource& source);
AsmJson ProteinLabellingAsm(const ProteinLabellingRecord& record, const AsmSource& source);
AsmJson DnaRnaAsm(const DnaRnaFile& record, const AsmSource& source);
AsmJson DnaRnaLabellingAsm(const DnaRnaLabellingFile& record, const AsmSource& source);
// The OD of each sample; with `cell_count`, also the cell count, OD times the factor times the
// multiple, in 10^6 cells/mL.
AsmJson Od600Asm(const Od600File& record, bool cell_count, const AsmSource& source);
// The spectrum as the schema's absorption spectrum data cube.
AsmJson WlScanAsm(const WlScanFile& record, const AsmSource& source);
// One measurement per point, at the compartment temperature of that point.
AsmJson TmAsm(const TmFile& record, const AsmSource& source);
// Refused: the schema has no absorbance over time.
AsmJson KineticsAsm(const KineticsFile& record, const AsmSource& source);

}  // namespace korvanta
