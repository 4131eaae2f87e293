// Header cells that several reports fill alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "workbook/cell_address.h"

namespace korvanta {

class ReportSheet;

// Path-length code 0..7 written to a cell: 0.1, 0.125, 0.2, 0.5 as numbers, 1, 2, 5, 10 as
// integers; another code leaves the cell as the template has it.
void WritePathLength(ReportSheet& c, workbook::Col col, int row, std::int32_t code);

// What every report's header starts with: B1 the export file's name and B5 the sample name,
// both exactly as read, B3 the conversion time, and B2 the method where the report names one
// (otherwise B2 keeps what the template holds).
void WriteReportHead(ReportSheet& c, std::optional<std::string_view> method,
                     std::string_view sample_name);

// B6 to B8 of the DNA/RNA and Protein UV reports: path length, dilution factor and background.
// A code the file ended before leaves its cell as the template has it.
void WriteMeasurementSettings(ReportSheet& c, std::optional<std::int32_t> pathlength,
                              std::string_view dilution_factor,
                              std::optional<std::int32_t> background);

// B9 to B11 of both Protein UV reports: the A280 and A260 factors and the protein.
void WriteProteinUvFactors(ReportSheet& c, std::string_view a280_factor,
                           std::string_view a260_factor, std::optional<std::int32_t> protein);

}  // namespace korvanta
