// One description per report variant for `korvanta inspect`: the record's settings and first
// records as its report shows them, with the codes the report does not know.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "inspect/inspect_context.h"

namespace korvanta {

struct PhotometryFile;
struct StandardCurveRecord;
struct ProteinUvRecord;
struct ProteinLabellingRecord;
struct DnaRnaFile;
struct DnaRnaLabellingFile;
struct Od600File;
struct KineticsFile;
struct TmFile;
struct WlScanFile;

void DescribePhotometry(InspectionContext& context, const PhotometryFile& record);
// Protein standard curve, Protein K factor and Concentration.
void DescribeStandardCurve(InspectionContext& context, const StandardCurveRecord& record);
void DescribeProteinUv(InspectionContext& context, const ProteinUvRecord& record);
void DescribeProteinLabelling(InspectionContext& context, const ProteinLabellingRecord& record);
void DescribeDnaRna(InspectionContext& context, const DnaRnaFile& record);
void DescribeDnaRnaLabelling(InspectionContext& context, const DnaRnaLabellingFile& record);
void DescribeOd600CellCount(InspectionContext& context, const Od600File& record);
void DescribeOd600Density(InspectionContext& context, const Od600File& record);
void DescribeKinetics(InspectionContext& context, const KineticsFile& record);
void DescribeTm(InspectionContext& context, const TmFile& record);
void DescribeWlScan(InspectionContext& context, const WlScanFile& record);

// Shared by the descriptions: "260, 280, 320" as the reports show wavelengths.
std::string WavelengthList(const std::vector<float>& wavelengths);
std::string WavelengthList(const std::vector<std::int32_t>& wavelengths);

// The path length in centimetres, from its code; unknown codes are noted.
void PathLengthSetting(InspectionContext& context, const std::optional<std::int32_t>& code);

}  // namespace korvanta
