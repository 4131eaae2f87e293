// The sample tables of the reports: one row per sample from the template's pattern row down,
// the sample's number in column A, its id exactly as read in B and its values from C on.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "reports/pattern_row.h"

namespace korvanta {

class ReportSheet;

// Column A the sample's number, column B its id as text ("001" stays "001").
void WriteSampleNumberAndId(ReportSheet& c, int row, int number, std::string_view sample_id);

// One value a column from C rightwards, each written as typed input is.
void WriteValuesFromC(ReportSheet& c, int row, std::span<const std::string> values);

// The pattern row copied for every sample, then row by row the number, the id and whatever
// `write_values(row, sample)` writes beside them.
template <typename Sample, typename WriteValues>
void WriteSampleRows(ReportSheet& c, int pattern_row, const std::vector<Sample>& samples,
                     WriteValues write_values) {
  const int count = static_cast<int>(samples.size());
  CopyPatternRow(c, pattern_row, count);
  for (int i = 0; i < count; ++i) {
    const Sample& sample = samples[static_cast<std::size_t>(i)];
    const int row = pattern_row + i;
    WriteSampleNumberAndId(c, row, i + 1, sample.sample_id);
    write_values(row, sample);
  }
}

// A table whose samples carry their readings in `readings`, one a column from C on.
template <typename Sample>
void WriteReadingRows(ReportSheet& c, int pattern_row, const std::vector<Sample>& samples) {
  WriteSampleRows(c, pattern_row, samples, [&c](int row, const Sample& sample) {
    WriteValuesFromC(c, row, sample.readings);
  });
}

}  // namespace korvanta
