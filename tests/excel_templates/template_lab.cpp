// The Excel-template harness's hands: writes the libxlsxwriter fixtures, and applies the report
// writers' row and column operations to a template the way the writers call them.
//   template_lab fixtures DIR
//   template_lab apply IN.xlsx OUT.xlsx OPERATION...
// Operations: insert-columns N COLS | insert-copied-rows N ROWS | copy-rows ROWS ROWS |
// delete-rows N ROWS | set CELL TEXT (typed input) | add-chart COLS ROWS (x in the first
// column, y in the last). A refused template exits 1 with its message.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <span>
#include <string>
#include <string_view>

#include "workbook/cell_address.h"
#include "workbook/cell_writing.h"
#include "workbook/workbook.h"
#include "xlsxwriter_templates.h"

// libxlsxwriter 1.1.4 never frees its copy (lxw_strdup) of a list validation's formula
// (worksheet_data_validation_range); the leak is the library's, so LeakSanitizer passes over
// it. The library has no frame pointers: its stack ends at lxw_strdup.
extern "C" const char* __lsan_default_suppressions() { return "leak:lxw_strdup\n"; }

namespace {

using korvanta::workbook::Workbook;
using korvanta::workbook::WorkbookError;
using korvanta::workbook::Worksheet;

int WriteFixtures(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  for (const auto& fixture : korvanta::excel_templates::XlsxWriterTemplates()) {
    const std::string path = (folder / (std::string(fixture.name) + ".xlsx")).string();
    lxw_workbook* book = workbook_new(path.c_str());
    fixture.fill(book);
    if (workbook_close(book) != LXW_NO_ERROR) {
      std::cerr << "libxlsxwriter could not write " << path << "\n";
      return 1;
    }
  }
  return 0;
}

int Count(std::string_view text) { return std::stoi(std::string(text)); }

// A scatter chart of the columns' first and last over the rows, placed to their right.
bool AddChart(Workbook& book, std::string_view columns, std::string_view rows) {
  namespace wb = korvanta::workbook;
  const auto cols = wb::ParseColSpan(columns);
  const auto span = wb::ParseRowSpan(rows);
  if (!cols || !span) return false;
  book.AddChart({.first_row = span->first,
                 .last_row = span->last,
                 .x_column = cols->first,
                 .y_column = cols->last,
                 .x_title = "x",
                 .y_title = "y",
                 .anchor = {cols->last + 2, span->first}});
  return true;
}

// Applies the operations in order; false (after a message) for one it does not know.
bool Apply(Workbook& book, std::span<char*> words) {
  namespace wb = korvanta::workbook;
  Worksheet& sheet = book.ActiveSheet();
  for (std::size_t i = 0; i < words.size();) {
    const std::string_view op = words[i];
    const std::size_t left = words.size() - i - 1;
    if (left < 2) break;
    const std::string_view a = words[i + 1];
    const std::string_view b = words[i + 2];
    if (op == "insert-columns") {
      wb::InsertColumns(sheet, Count(a), b);
    } else if (op == "insert-copied-rows") {
      wb::InsertCopiedRows(sheet, Count(a), b);
    } else if (op == "copy-rows") {
      wb::CopyRows(sheet, a, b);
    } else if (op == "delete-rows") {
      wb::DeleteRows(sheet, Count(a), b);
    } else if (op == "set") {
      wb::PutCellValue(sheet, a, std::string(b));
    } else if (op == "add-chart") {
      if (!AddChart(book, a, b)) break;
    } else {
      break;
    }
    i += 3;
    if (i == words.size()) return true;
  }
  std::cerr << "unknown or incomplete operation list\n";
  return words.empty();
}

int ApplyOperations(const std::filesystem::path& in, const std::filesystem::path& out,
                    std::span<char*> operations) {
  try {
    Workbook book = Workbook::Load(in);
    if (!Apply(book, operations)) return 2;
    // A fixed entry time, so that runs compare byte for byte.
    book.Save(out, {.entry_time = 315532800});
  } catch (const WorkbookError& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::span<char*> args(argv, static_cast<std::size_t>(argc));
  if (args.size() == 3 && std::string_view(args[1]) == "fixtures") return WriteFixtures(args[2]);
  if (args.size() >= 4 && std::string_view(args[1]) == "apply") {
    return ApplyOperations(args[2], args[3], args.subspan(4));
  }
  std::cerr << "usage: template_lab fixtures DIR | template_lab apply IN OUT OPERATION...\n";
  return 2;
}
