// The fields the scan export formats (Kinetics, TM, WL Scan) share: the same head, and at the
// end the count of readings followed by the readings.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formats/export_file.h"
#include "formats/export_opening.h"
#include "formats/optional_code.h"

namespace korvanta {

// Takes the opening into `record` and reads on to the two unused fields after datamode.
template <typename ScanRecord>
void ReadScanHead(ExportFile& file, const Opening& opening, ScanRecord& record) {
  record.opening = opening;
  record.sample_name = file.ReadLine("sample_name");
  record.pathlength = ReadOptionalCode(file, "pathlength");
  record.datamode = ReadOptionalCode(file, "datamode");
  file.ReadToken("dummy");
  file.ReadToken("dummy");
}

// The positions of `count` points `step` apart from `start`: index × step + start, in single
// precision as the instrument software computes it.
std::vector<float> SteppedPositions(std::size_t count, float step, float start);

// The count (`count_field`; more than `max_points` is refused) and that many readings, as read;
// fewer when the file ends before them.
std::vector<std::string> ReadScanReadings(ExportFile& file, std::string_view count_field,
                                          std::string_view reading_field, int max_points);

}  // namespace korvanta
