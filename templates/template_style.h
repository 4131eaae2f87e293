#pragma once

// The look shared by all template workbooks: cell formats, header fields, table headers,
// pattern rows, column widths and print setup. Rows are numbered from 1 and columns named by
// letter, as the report writers address them.

#include <xlsxwriter.h>

#include <initializer_list>

namespace korvanta::templates {

struct TemplateFormats {
  lxw_format* title;          // the report's name, large and bold
  lxw_format* label;          // bold label of a header field, on a light band
  lxw_format* value;          // value of a header field: General, left aligned, no border
  lxw_format* list_heading;   // column heading of a list in the header's look
  lxw_format* table_header;   // column headings of a table
  lxw_format* pattern;        // empty table cell: thin border, General
  lxw_format* pattern_index;  // the running number of a table row, centred
  lxw_format* flag;           // a conditional format's mark: dark red on light red
  lxw_format* flag_legend;    // the same look on the legend cell that explains it
};

TemplateFormats MakeTemplateFormats(lxw_workbook* workbook);

enum class Orientation { kPortrait, kLandscape };

// The label of B2 in reports whose files name no method: left to the user, like the operator.
inline constexpr const char* kInstrumentLabel = "Instrument";

class TemplateSheet {
 public:
  TemplateSheet(lxw_worksheet* sheet, const TemplateFormats& formats);

  // The report's name at the top of a column that no column insert moves.
  void Title(char column, int row, const char* text);

  // A header field: bold label in column A beside an empty value cell in B for the writer.
  void Field(int row, const char* label);

  // The header fields every report starts with: the file name, `second_label` (B2), the date
  // and time, the operator (left to the user) and the sample name in rows 1 to 5, then
  // `more_labels` from row 6 down.
  void HeaderFields(const char* second_label, std::initializer_list<const char*> more_labels);

  // Headings of a list in the header's look: the first in A as a label, the others beside
  // it in bold without border or fill.
  void ListHeader(int row, std::initializer_list<const char*> titles);

  // A row of a list in the header's look that the writer fills and copies (wavelengths,
  // standards): an empty label cell in A, empty value cells from B to last_column.
  void ListPatternRow(int row, char last_column);

  // An empty value cell outside column B that a writer fills (e.g. a correlation beside B).
  void ValueCell(char column, int row);

  // Column headings from first_column rightwards.
  void TableHeader(int row, char first_column, std::initializer_list<const char*> titles);

  // An empty table row from A to last_column: the running number in A, bordered General
  // cells for the values. The writers copy it for every further row.
  void PatternRow(int row, char last_column);

  void ColumnWidth(char first_column, char last_column, double width);

  // Marks the cells of `range` with the flag look where `formula` holds; the formula's
  // relative references are those of the range's top-left cell. Plain rules, which every
  // reader and the engine's row copies carry.
  void FlagCells(const char* range, const char* formula);

  // A legend line: `mark` in the flag look in `column`, `meaning` beside it.
  void Legend(int row, char column, const char* mark, const char* meaning);

  // A chart with its top-left corner in the cell; it moves with that cell and keeps its size.
  void PlaceChart(char column, int row, lxw_chart* chart);

  // A4, one page wide; `title_row` repeats on every printed page when it is not 0.
  void PrintSetup(Orientation orientation, int title_row);

  // The report's name in the printed page header, for sheets where no cell can hold it.
  void PageHeaderTitle(const char* title);

 private:
  lxw_worksheet* sheet_;
  const TemplateFormats& formats_;
};

}  // namespace korvanta::templates
