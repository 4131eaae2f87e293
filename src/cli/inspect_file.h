// `korvanta inspect` of one file: read through the registry as a conversion reads it, described
// by its variant's row, without writing anything and without templates.
#pragma once

#include <string>

#include "inspect/inspection.h"

namespace korvanta::cli {

FileInspection InspectExportFile(const std::string& path);

}  // namespace korvanta::cli
