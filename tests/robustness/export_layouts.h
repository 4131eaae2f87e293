// Well-formed export files of every format and method variant, one field to a line, each line
// named by the field it holds: the base the bad-input suites cut, pad and corrupt.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta::test {

struct ExportField {
  std::string_view name;  // as the reader names it in messages
  std::string_view text;  // the line, without its line end
};

struct ExportLayout {
  std::string_view variant;    // "Protein UV"
  std::string_view extension;  // "pro"
  std::vector<ExportField> fields;

  // The first `line_count` lines, each ended by `line_end` except, when `last_line_end` is
  // false, the last.
  std::string Text(std::size_t line_count, std::string_view line_end = "\n",
                   bool last_line_end = true) const;
  std::string Text() const { return Text(fields.size()); }
  // The whole file with the line of the first field called `name` replaced by `text`.
  std::string With(std::string_view name, std::string_view text) const;
  // The 1-based line of the first field called `name`.
  int LineOf(std::string_view name) const;
};

// One layout per report variant: Protein standard curve, Protein UV, Protein labelling,
// Concentration, DNA/RNA, DNA/RNA labelling, Kinetics, Photometry, TM, WL Scan, OD600 cell
// count, OD600 optical density.
const std::vector<ExportLayout>& ExportLayouts();
const ExportLayout& ExportLayoutOf(std::string_view variant);

}  // namespace korvanta::test
