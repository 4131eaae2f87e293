// The .xlsx engine: a template workbook loaded into memory, its active sheet edited with the
// spreadsheet's own semantics, and the result saved as a new package.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

#include "workbook/cell_address.h"
#include "workbook/workbook_errors.h"

namespace korvanta::workbook {

// What a cell holds, as read back (tests, chart caches).
struct EmptyCell {
  friend bool operator==(EmptyCell, EmptyCell) = default;
};
struct FormulaCell {
  std::string formula;  // without the leading '='
  friend bool operator==(const FormulaCell&, const FormulaCell&) = default;
};
using CellContent = std::variant<EmptyCell, double, std::string, bool, FormulaCell>;

struct SaveOptions {
  // Fixed modification time for the package entries, so equal input gives equal bytes.
  std::optional<std::time_t> entry_time;
};

class Workbook;

// The active sheet of an open workbook. All edits keep the cells' template styles.
class Worksheet {
 public:
  Worksheet(const Worksheet&) = delete;
  Worksheet& operator=(const Worksheet&) = delete;

  const std::string& Name() const;

  // Values. A write keeps the style the cell (or else its row or column) has. A table's header
  // cell holds text and names its table column: what is written there renames the column
  // (made unique in its table, "Name2") and the cell shows the name.
  void SetNumber(CellRef ref, double value);
  void SetText(CellRef ref, std::string_view text);  // stored as text, verbatim
  // The way typed input is entered: a decimal number becomes a number unless the cell's
  // number format is Text (@); anything else is stored as text. An empty text empties the
  // cell's value and keeps its style.
  void SetTypedInput(CellRef ref, std::string_view text);
  void ClearValue(CellRef ref);

  CellContent Get(CellRef ref) const;
  std::string NumberFormatOf(CellRef ref) const;  // format code in effect ("General", "@", ...)

  // Whole-row and whole-column operations, each one shift whatever the count, moving and
  // adjusting everything that refers to cells (formulas on every sheet, merges, conditional
  // formats, validations, hyperlinks, filters, defined names, drawings, chart ranges, tables,
  // pivot sources, sparklines). The formulas of copies follow AdjustFormulaForRowCopy
  // (formula_refs.h), and so do the data ranges of the sparklines they carry. Tables and pivot
  // sources grow over copies pasted inside or directly below their data. A merged area that
  // crosses the edge of the copied or pasted-over rows is refused with a WorkbookError naming
  // it, never cut; one reaching from above over the copied rows grows over inserted copies and
  // over pasted rows that adjoin it.
  void CopyRows(RowSpan source, RowSpan target);   // paste over target, repeating the source
  void InsertCopiedRows(int count, RowSpan span);  // count copies of span inserted at span
  void InsertColumns(int count, ColSpan span);     // count empty columns inserted at span
  void DeleteRows(int count, RowSpan span);        // count times the span's rows, shifting up

  // Highest used row and column (0 when empty).
  int LastRow() const;
  int LastColumn() const;

 private:
  friend class Workbook;
  struct Impl;
  explicit Worksheet(Impl* impl);
  Impl* impl_;
};

// A chart over one x/y block of the active sheet (x values in one column, y in the next).
struct ChartRequest {
  int first_row = 1;
  int last_row = 1;  // last_row < first_row: a chart with no points
  int x_column = 1;  // A
  int y_column = 2;  // B
  std::string x_title;
  std::string y_title;
  CellRef anchor{4, 2};  // top-left cell of the chart (D2)
  std::int64_t width_emu = 6400800;
  std::int64_t height_emu = 3291840;
};

// An axis of a chart as it is drawn: along the bottom or top edge, or along the left or right.
enum class ChartAxisDirection { kHorizontal, kVertical };

class Workbook {
 public:
  static Workbook Load(const std::filesystem::path& path);
  static Workbook LoadFromMemory(std::string bytes, std::string display_name = "template");

  Workbook(Workbook&&) noexcept;
  Workbook& operator=(Workbook&&) noexcept;
  ~Workbook();

  Worksheet& ActiveSheet();
  const Worksheet& ActiveSheet() const;

  void AddChart(const ChartRequest& request);
  // The text of that axis's title on the active sheet's charts, where the title is text of
  // its own (not linked to a cell) reading `reads`: a title the user changed is kept.
  void SetChartAxisTitle(ChartAxisDirection direction, std::string_view reads,
                         std::string_view text);

  // Drops the calculation chain, asks for full recalculation on load, writes shared strings.
  std::string SaveToMemory(const SaveOptions& options = {}) const;
  // Written to a temporary file beside `path` and renamed over it only when complete.
  void Save(const std::filesystem::path& path, const SaveOptions& options = {}) const;

 private:
  struct Impl;
  explicit Workbook(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace korvanta::workbook
