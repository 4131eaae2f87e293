// One inspection per data type, each following its report writer's reads step by step: the
// same typed readers, the same hand-over to a more specialised reader, the same counts.
#pragma once

#include "cli/inspect_context.h"

namespace korvanta::cli {

void InspectProtein(InspectionContext& context);
void InspectConcentration(InspectionContext& context);
void InspectDnaRna(InspectionContext& context);
void InspectKinetics(InspectionContext& context);
void InspectOd600(InspectionContext& context);
void InspectPhotometry(InspectionContext& context);
void InspectTm(InspectionContext& context);
void InspectWlScan(InspectionContext& context);

// Shared by the readers: "260, 280, 320" as the reports show wavelengths.
std::string WavelengthList(const std::vector<float>& wavelengths);
std::string WavelengthList(const std::vector<std::int32_t>& wavelengths);

// The path length in centimetres, from its code; unknown codes are noted.
void PathLengthSetting(InspectionContext& context, const std::optional<std::int32_t>& code);

}  // namespace korvanta::cli
